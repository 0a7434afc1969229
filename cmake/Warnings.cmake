# Warnings for every target of the project. PELVANE_WERROR turns them into errors
# so a warning never lands unnoticed; it is on by default where CI=true (as CI sets).
if(DEFINED ENV{CI} AND "$ENV{CI}" STREQUAL "true")
    set(pelvane_werror_default ON)
else()
    set(pelvane_werror_default OFF)
endif()
option(PELVANE_WERROR "Treat compiler warnings as errors" ${pelvane_werror_default})

function(pelvane_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(PELVANE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
