# Help pages and their pictures, copied as they are into the program folder's help/
# folder (keeping their sub-folders).
file(GLOB_RECURSE help_sources CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_LIST_DIR}
     ${CMAKE_CURRENT_LIST_DIR}/*)
list(REMOVE_ITEM help_sources data.cmake)
foreach(help_file ${help_sources})
    get_filename_component(help_dir ${PELVANE_PROGRAM_DIR}/help/${help_file} DIRECTORY)
    add_custom_command(
        OUTPUT ${PELVANE_PROGRAM_DIR}/help/${help_file}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${help_dir}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_LIST_DIR}/${help_file}
                ${PELVANE_PROGRAM_DIR}/help/${help_file}
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${help_file}
        COMMENT "Help ${help_file}")
    list(APPEND PELVANE_DATA_FILES ${PELVANE_PROGRAM_DIR}/help/${help_file})
endforeach()
