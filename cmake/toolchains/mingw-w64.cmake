# Cross build for Windows with MinGW-w64, for the triple OX_MINGW_TRIPLE that
# the toolchain file of each target sets: the plug-in modules and the Windows
# test build of the host. The posix thread flavour of the compilers gives the
# C++ runtime its threads; it is linked statically, so the programs and
# modules import system DLLs only.
set(CMAKE_SYSTEM_NAME Windows)

find_program(CMAKE_C_COMPILER NAMES ${OX_MINGW_TRIPLE}-gcc-posix ${OX_MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${OX_MINGW_TRIPLE}-g++-posix ${OX_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${OX_MINGW_TRIPLE}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${OX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
