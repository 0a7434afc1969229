# Warnings for every target of the project; CI=true turns them into errors so a
# warning never lands unnoticed.
function(pelvane_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(DEFINED ENV{CI} AND "$ENV{CI}" STREQUAL "true")
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
