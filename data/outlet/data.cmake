# The USDA coefficient database, fitted at build time by the same code the program
# tests (sources and fit errors in PROVENANCE.md here).
add_custom_command(
    OUTPUT ${PELVANE_PROGRAM_DIR}/USDACOEFF.rdb
    COMMAND ${DATAGEN} usda-coefficients ${PELVANE_PROGRAM_DIR}/USDACOEFF.rdb
    DEPENDS pelvane_datagen
    COMMENT "USDA coefficient database USDACOEFF.rdb")
list(APPEND PELVANE_DATA_FILES ${PELVANE_PROGRAM_DIR}/USDACOEFF.rdb)
