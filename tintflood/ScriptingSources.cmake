# Tintflood's scripting descriptor and parameter block, for the module and
# for the tests that compile them without it.
set(TINTFLOOD_SCRIPTING_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ScriptParameters.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParameterBlock.cpp)
