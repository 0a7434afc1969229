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

# The sample project (the pipes of the same street), its discharges computed with the
# Pulaski rainfall and every pipe solved. It links the inlet database above by its
# name, relative to the project file, so the two go together wherever they are
# copied or installed.
add_custom_command(
    OUTPUT ${PELVANE_SAMPLES_DIR}/Sample.pvd
    COMMAND ${DATAGEN} sample_project ${PELVANE_PROGRAM_DIR} ${PELVANE_SAMPLES_DIR}/Sample.pvd
            ${CMAKE_CURRENT_LIST_DIR}/sample_project.sql
            ${CMAKE_CURRENT_LIST_DIR}/sample_project.csv
            ${PELVANE_SAMPLES_DIR}/SampleInlets.gwk
    DEPENDS pelvane_datagen ${PELVANE_PROGRAM_DIR}/PelvaneVA21.rdb
            ${PELVANE_PROGRAM_DIR}/VARMNOAA.rdb ${PELVANE_SAMPLES_DIR}/SampleInlets.gwk
            ${CMAKE_CURRENT_LIST_DIR}/sample_project.sql
            ${CMAKE_CURRENT_LIST_DIR}/sample_project.csv
    COMMENT "Sample project Sample.pvd")
list(APPEND PELVANE_DATA_FILES ${PELVANE_SAMPLES_DIR}/Sample.pvd)
