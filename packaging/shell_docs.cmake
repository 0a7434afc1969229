# Writes pelvane's man page and bash completion from the tool's own --help, so both
# list exactly the commands and options the tool has.
#   cmake -DPELVANE=path/to/pelvane -DVERSION=2.1.0 -DMAN_PAGE=pelvane.1
#         -DCOMPLETION=pelvane -DCOMPLETION_TEMPLATE=pelvane.bash.in -P shell_docs.cmake
execute_process(COMMAND ${PELVANE} --help OUTPUT_VARIABLE help RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${PELVANE} --help failed")
endif()

# roff: a backslash, a line starting with a dot or quote, and options' hyphens.
function(roff text out)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The --help text: "  NAME USAGE" then "      SUMMARY" for each command, then the
# paragraphs after the list.
# A semicolon splits CMake's lists and brackets group their items: they are kept as
# words until the page is written.
string(REPLACE ";" "<semicolon>" help "${help}")
string(REPLACE "[" "<lb>" help "${help}")
string(REPLACE "]" "<rb>" help "${help}")
string(REPLACE "\n" ";" lines "${help}")
set(commands "")
set(command_items "")
set(cases "")
set(after "")
set(in_list FALSE)
set(past_list FALSE)
foreach(line IN LISTS lines)
    if(line STREQUAL "commands:")
        set(in_list TRUE)
    elseif(past_list)
        string(APPEND after "${line}\n")
    elseif(in_list AND line MATCHES "^      (.*)$")
        roff("${CMAKE_MATCH_1}" summary)
        string(APPEND command_items "${summary}\n")
    elseif(in_list AND line MATCHES "^  ([a-z0-9-]+) ?(.*)$")
        set(name "${CMAKE_MATCH_1}")
        set(usage "${CMAKE_MATCH_2}")
        list(APPEND commands ${name})
        roff("${usage}" usage_roff)
        string(APPEND command_items ".TP\n.B ${name}\n")
        if(usage)
            string(APPEND command_items "${usage_roff}\n.br\n")
        endif()
        # Options start a word of the usage: "-o", "--json", "[--pdf]".
        string(REPLACE "<lb>" " " words "${usage}")
        string(REPLACE "<rb>" " " words "${words}")
        string(REPLACE " " ";" words "${words}")
        set(options "")
        foreach(word IN LISTS words)
            if(word MATCHES "^(--?[a-z][a-z0-9-]*)")
                list(APPEND options ${CMAKE_MATCH_1})
            endif()
        endforeach()
        list(REMOVE_DUPLICATES options)
        string(REPLACE ";" " " options "${options}")
        string(APPEND cases "        ${name}) options=\"${options}\" ;;\n")
    elseif(in_list AND line STREQUAL "")
        set(past_list TRUE)
    endif()
endforeach()
if(NOT commands)
    message(FATAL_ERROR "no command found in the output of ${PELVANE} --help")
endif()

# The paragraphs after the list, one per blank-line block.
string(STRIP "${after}" after)
roff("${after}" after)
string(REGEX REPLACE "\n\n+" "\n.PP\n" after "${after}")

foreach(part command_items after)
    string(REPLACE "<semicolon>" ";" ${part} "${${part}}")
    string(REPLACE "<lb>" "[" ${part} "${${part}}")
    string(REPLACE "<rb>" "]" ${part} "${${part}}")
endforeach()
file(WRITE ${MAN_PAGE} ".TH PELVANE 1 \"\" \"PelvaneVA ${VERSION}\" \"User Commands\"
.SH NAME
pelvane \\- design storm drain pipe networks to the VDOT Drainage Manual from the command line
.SH SYNOPSIS
.B pelvane
.I COMMAND
[\\fIARGS\\fR]
.br
.B pelvane
.I COMMAND
.B \\-\\-help
.br
.B pelvane \\-\\-help
|
.B \\-\\-version
.SH DESCRIPTION
.B pelvane
does in batch what the desktop program
.B pelvaneva
does: it creates and inspects projects (.pvd files), solves sections and networks,
computes the hydraulic grade line and writes the reports. Every command prints plain
text, or one JSON object with
.BR \\-\\-json .
.SH COMMANDS
${command_items}.SH OPTIONS
${after}
.SH SEE ALSO
The desktop program
.BR pelvaneva ;
its Help menu opens the manual.
")

string(REPLACE ";" " " commands "${commands}")
configure_file(${COMPLETION_TEMPLATE} ${COMPLETION} @ONLY)
