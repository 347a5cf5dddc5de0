# Checks that a man page renders without a warning and, given its PROGRAM, that the
# long options the page names are exactly those the program's --help output names.
# cmake -DPAGE=... [-DPROGRAM=...] -P CheckManPage.cmake
cmake_minimum_required(VERSION 3.25)
set(ENV{LC_ALL} C.UTF-8)
set(ENV{MANROFFSEQ} "")
set(ENV{MANWIDTH} 80)
execute_process(COMMAND man --warnings -E UTF-8 -l -Tutf8 -Z ${PAGE}
    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
    message(FATAL_ERROR "man ${PAGE} (status ${status}):\n${warnings}")
endif()
if(NOT PROGRAM)
    return()
endif()

# Options as the page writes them, \-\-name, and as the program prints them, --name.
# Each of the program's options has its own entry (.TP, then .B, .BI or .BR with
# the option), and the page mentions no option the program does not know.
file(READ ${PAGE} page)
string(REGEX MATCHALL "\n\\.TP\n\\.B[IR]? \\\\-\\\\-[a-z][a-z0-9-]*" entries "${page}")
string(REGEX REPLACE "\n\\.TP\n\\.B[IR]? " "" entries "${entries}")
string(REGEX MATCHALL "\\\\-\\\\-[a-z][a-z0-9-]*" mentioned "${page}")
foreach(list_name entries mentioned)
    string(REPLACE "\\-" "-" ${list_name} "${${list_name}}")
    list(REMOVE_DUPLICATES ${list_name})
    list(SORT ${list_name})
endforeach()

execute_process(COMMAND ${PROGRAM} --help
    OUTPUT_VARIABLE help ERROR_VARIABLE help_errors RESULT_VARIABLE status)
string(REGEX MATCHALL "--[a-z][a-z0-9-]*" known "${help}${help_errors}")
list(REMOVE_DUPLICATES known)
list(SORT known)

set(unknown ${mentioned})
if(known)
    list(REMOVE_ITEM unknown ${known})
endif()
if(NOT entries STREQUAL known OR unknown)
    message(FATAL_ERROR "The page has entries for ${entries} and mentions unknown options '${unknown}';\n"
                        "the program's --help (status ${status}) names ${known}:\n"
                        "${help}${help_errors}")
endif()
