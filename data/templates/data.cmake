# The report templates of the program folder, built from their descriptions here.
# A firm may restyle the built .xlsx files in the program folder; the reports only
# write values into the cells and keep everything else.
foreach(template LD229 LD347 STORMDRAINRESULTS OUTLETPROTECTION CHECKS)
    set(description ${CMAKE_CURRENT_LIST_DIR}/${template}.xml)
    add_custom_command(
        OUTPUT ${PELVANE_PROGRAM_DIR}/${template}.xlsx
        COMMAND ${DATAGEN} template ${PELVANE_PROGRAM_DIR}/${template}.xlsx ${description}
        DEPENDS pelvane_datagen ${description}
        COMMENT "Report template ${template}.xlsx")
    list(APPEND PELVANE_DATA_FILES ${PELVANE_PROGRAM_DIR}/${template}.xlsx)
endforeach()
