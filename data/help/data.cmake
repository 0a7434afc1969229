# The help pages and their pictures, copied as they are into the program folder's
# help/ folder.
file(GLOB_RECURSE help_sources CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_LIST_DIR}
     ${CMAKE_CURRENT_LIST_DIR}/*.html ${CMAKE_CURRENT_LIST_DIR}/*.css
     ${CMAKE_CURRENT_LIST_DIR}/*.svg ${CMAKE_CURRENT_LIST_DIR}/*.png)
foreach(page ${help_sources})
    add_custom_command(
        OUTPUT ${PELVANE_PROGRAM_DIR}/help/${page}
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/${page}
                ${PELVANE_PROGRAM_DIR}/help/${page}
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${page})
    list(APPEND PELVANE_DATA_FILES ${PELVANE_PROGRAM_DIR}/help/${page})
endforeach()
