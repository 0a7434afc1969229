# The USDA coefficient database, fitted at build time by the same code the program
# tests (sources and fit errors in PROVENANCE.md here).
add_custom_command(
    OUTPUT ${PELVANE_PROGRAM_DIR}/USDACOEFF.rdb
    COMMAND ${DATAGEN} usda-coefficients ${PELVANE_PROGRAM_DIR}/USDACOEFF.rdb
    DEPENDS pelvane_datagen
    COMMENT "USDA coefficient database USDACOEFF.rdb")
list(APPEND PELVANE_DATA_FILES ${PELVANE_PROGRAM_DIR}/USDACOEFF.rdb)

# The help page of the outlet protection methods, beside the other help pages.
add_custom_command(
    OUTPUT ${PELVANE_PROGRAM_DIR}/help/outlet.html
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/help/outlet.html
            ${PELVANE_PROGRAM_DIR}/help/outlet.html
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/help/outlet.html)
list(APPEND PELVANE_DATA_FILES ${PELVANE_PROGRAM_DIR}/help/outlet.html)
