# One-line helpers so that a new plug-in module, test or benchmark is one call.

# ox_add_plugin(NAME RESOURCES file.rc SOURCES ...)
# A filter module NAME.8bf: the bridge built in, its resources embedded, and
# nothing exported but the entry points. On Linux the resources go into the
# "oxres" section and bridge/PluginExports.map names the exports; on Windows
# windres compiles the same script into the DLL's resources, a module
# definition file names the exports, and the C and C++ runtimes are linked in
# so that the module needs system DLLs only.
function(ox_add_plugin name)
    cmake_parse_arguments(ARG "" "RESOURCES" "SOURCES" ${ARGN})
    if(WIN32)
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            set(exports ${PROJECT_SOURCE_DIR}/bridge/platform/windows/PluginExports64.def)
        else()
            set(exports ${PROJECT_SOURCE_DIR}/bridge/platform/windows/PluginExports32.def)
        endif()
        add_library(${name} MODULE ${ARG_SOURCES} ${ARG_RESOURCES} ${exports})
        target_link_libraries(${name} PRIVATE ox_bridge)
        target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++
                            $<$<CONFIG:Release>:-s>)
        target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
        set_target_properties(${name} PROPERTIES
            PREFIX "" SUFFIX ".8bf"
            LIBRARY_OUTPUT_DIRECTORY ${OX_OUTPUT_DIR})
        return()
    endif()
    add_library(${name} MODULE ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ox_bridge)
    ox_embed_resources(${name} ${ARG_RESOURCES})
    set_target_properties(${name} PROPERTIES
        PREFIX "" SUFFIX ".8bf"
        LIBRARY_OUTPUT_DIRECTORY ${OX_OUTPUT_DIR}
        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
    target_link_options(${name} PRIVATE
        -Wl,--version-script=${PROJECT_SOURCE_DIR}/bridge/PluginExports.map)
    set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS
        ${PROJECT_SOURCE_DIR}/bridge/PluginExports.map)
endfunction()

# ox_add_test(NAME SOURCES ... LIBS ...): one GoogleTest binary registered with CTest.
function(ox_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
        "OX_PLUGIN_DIR=${OX_OUTPUT_DIR};OX_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# ox_add_bench(NAME SOURCES ... LIBS ...): a program that prints figures.
function(ox_add_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
