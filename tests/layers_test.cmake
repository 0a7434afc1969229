# Fails when a source file includes a layer above its own. Each folder of src/ is a
# layer and may include only the folders listed for it:
#   cmake -DSOURCE_DIR=<repository> -P tests/layers_test.cmake
# The desktop windows reach the engines and the files through the forms only, so
# every rule and message they show has its one home there or below.

cmake_minimum_required(VERSION 3.20)

set(allowed_core core)
set(allowed_platform platform)
set(allowed_store store platform core)
set(allowed_report report store platform core)
set(allowed_forms forms report store platform core)
set(allowed_draw draw forms store core)
set(allowed_gui gui draw forms)
set(allowed_cli cli draw forms report store platform core)
set(allowed_tools tools forms report store platform core)
set(layers core platform store report forms draw gui cli tools)

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}/src" "${SOURCE_DIR}/src/*.h"
     "${SOURCE_DIR}/src/*.cpp")
set(problems "")
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" layer "${source}")
    if(NOT layer IN_LIST layers)
        string(APPEND problems "\n  src/${source}: the folder ${layer} has no layer rule")
        continue()
    endif()
    file(STRINGS "${SOURCE_DIR}/src/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
        string(REGEX MATCH "\"([^\"/]+)/" ignored "${line}")
        set(target "${CMAKE_MATCH_1}")
        # A name without a folder is a file beside this one.
        if(target STREQUAL "" OR target IN_LIST allowed_${layer})
            continue()
        endif()
        string(STRIP "${line}" line)
        string(APPEND problems "\n  src/${source}: ${layer} may not ${line}")
    endforeach()
endforeach()
if(problems)
    message(FATAL_ERROR "Includes across the layers:${problems}")
endif()
