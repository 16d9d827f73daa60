# ox_embed_resources(target rcfile): compiles the resource script `rcfile`
# (relative to the calling folder) with oxrc into a source file of `target`,
# which then carries the resources in its "oxres" section.

# Lets the depfile that oxrc writes name absolute paths with every generator.
if(POLICY CMP0116)
    cmake_policy(SET CMP0116 NEW)
endif()

function(ox_embed_resources target rcfile)
    get_filename_component(script ${rcfile} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
    set(depfile_arguments)
    if(CMAKE_VERSION VERSION_GREATER_EQUAL 3.20 OR CMAKE_GENERATOR MATCHES "Ninja")
        # Files that the script reads (bitmaps) trigger a rebuild too.
        set(depfile ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.d)
        set(depfile_arguments DEPFILE ${depfile})
        set(depfile_option --depfile ${depfile})
    endif()
    add_custom_command(
        OUTPUT ${output}
        COMMAND oxrc ${script} -o ${output} ${depfile_option}
        DEPENDS oxrc ${script}
        ${depfile_arguments}
        COMMENT "Compiling resources of ${target} from ${rcfile}"
        VERBATIM)
    target_sources(${target} PRIVATE ${output})
endfunction()
