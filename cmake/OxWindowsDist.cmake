# The Windows deliverables gathered for installing into a host: the two
# modules, the swatch palettes in the folder Tintflood looks for beside the
# host program, and a short note. `cmake --build . --target dist`.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(OX_DIST_NAME windows-x64)
else()
    set(OX_DIST_NAME windows-x86)
endif()
set(OX_DIST_DIR ${PROJECT_SOURCE_DIR}/dist/${OX_DIST_NAME} CACHE PATH
    "Where the dist target gathers the Windows modules")

add_custom_target(dist
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${OX_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory "${OX_DIST_DIR}/Presets/Color Swatches"
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Virarar> $<TARGET_FILE:Tintflood> ${OX_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${OX_SWATCH_FILES} "${OX_DIST_DIR}/Presets/Color Swatches"
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/docs/windows-install.txt
            ${OX_DIST_DIR}/INSTALL.txt
    DEPENDS Virarar Tintflood swatch_palettes
    COMMENT "Gathering the ${OX_DIST_NAME} modules in ${OX_DIST_DIR}"
    VERBATIM)
