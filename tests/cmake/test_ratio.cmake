# The owner's rule: test code is at most a third of the program's code, give or
# take. Counts every line (blank ones included) of the .cpp and .h files under
# tests/ and under src/, and fails above the ratio with both counts.
#
#   cmake -DSOURCE_DIR=<repo> [-DMAX_PERCENT=36] -P tests/cmake/test_ratio.cmake

if(NOT DEFINED SOURCE_DIR)
    message(FATAL_ERROR "give -DSOURCE_DIR=<repository root>")
endif()
if(NOT DEFINED MAX_PERCENT)
    set(MAX_PERCENT 36)
endif()

function(count_lines folder out)
    file(GLOB_RECURSE files ${folder}/*.cpp ${folder}/*.h)
    set(total 0)
    foreach(f IN LISTS files)
        file(READ ${f} text)
        # Every newline ends a line; a last line without one counts too.
        string(REGEX REPLACE "[^\n]" "" newlines "${text}")
        string(LENGTH "${newlines}" n)
        if(NOT text STREQUAL "" AND NOT text MATCHES "\n$")
            math(EXPR n "${n} + 1")
        endif()
        math(EXPR total "${total} + ${n}")
    endforeach()
    set(${out} ${total} PARENT_SCOPE)
endfunction()

count_lines(${SOURCE_DIR}/tests test_lines)
count_lines(${SOURCE_DIR}/src src_lines)
math(EXPR allowed "${src_lines} * ${MAX_PERCENT} / 100")
math(EXPR percent_x10 "${test_lines} * 1000 / ${src_lines}")
math(EXPR whole "${percent_x10} / 10")
math(EXPR tenth "${percent_x10} % 10")
set(summary "test lines ${test_lines}, program lines ${src_lines}: ${whole}.${tenth} %")
if(test_lines GREATER allowed)
    message(FATAL_ERROR "${summary}, above the ${MAX_PERCENT} % allowed (at most ${allowed} "
                        "test lines). Trim tests that restate the code or another layer's "
                        "test before adding more.")
endif()
message(STATUS "${summary} (at most ${MAX_PERCENT} %, ${allowed} lines)")
