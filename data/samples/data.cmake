# Sample files in the program folder's samples/ folder, built from SQL sources.
set(PELVANE_SAMPLES_DIR ${PELVANE_PROGRAM_DIR}/samples)

# The inlet database of the sample project's street, as the inlet-design product
# would have written it.
add_custom_command(
    OUTPUT ${PELVANE_SAMPLES_DIR}/SampleInlets.gwk
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PELVANE_SAMPLES_DIR}
    COMMAND ${DATAGEN} sql ${PELVANE_SAMPLES_DIR}/SampleInlets.gwk
            ${CMAKE_CURRENT_LIST_DIR}/inlets.sql
    DEPENDS pelvane_datagen ${CMAKE_CURRENT_LIST_DIR}/inlets.sql
    COMMENT "Sample inlet database SampleInlets.gwk")
list(APPEND PELVANE_DATA_FILES ${PELVANE_SAMPLES_DIR}/SampleInlets.gwk)
