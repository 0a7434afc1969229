# Rainfall databases: county and station lists, with the coefficients fitted to the
# NOAA precipitation-frequency exports listed here (see PROVENANCE.md).
set(rainfall_dir ${CMAKE_CURRENT_LIST_DIR})
set(rainfall_outputs ${PELVANE_PROGRAM_DIR}/VArainfall.rdb ${PELVANE_PROGRAM_DIR}/VARMSTORM.rdb
                     ${PELVANE_PROGRAM_DIR}/VARMNOAA.rdb)
add_custom_command(
    OUTPUT ${rainfall_outputs}
    COMMAND ${DATAGEN} rainfall ${PELVANE_PROGRAM_DIR} ${rainfall_dir}/counties.csv
            ${rainfall_dir}/stations.csv Pulaski ${rainfall_dir}/Pulaski_PF_Depth_English_PDS.csv
    DEPENDS pelvane_datagen ${rainfall_dir}/counties.csv ${rainfall_dir}/stations.csv
            ${rainfall_dir}/Pulaski_PF_Depth_English_PDS.csv
    COMMENT "Rainfall databases VArainfall.rdb, VARMSTORM.rdb, VARMNOAA.rdb")
list(APPEND PELVANE_DATA_FILES ${rainfall_outputs})
