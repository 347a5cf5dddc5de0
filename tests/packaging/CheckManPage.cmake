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
file(READ ${PAGE} page)
string(REGEX MATCHALL "\\\\-\\\\-[a-z][a-z0-9-]*" page_options "${page}")
string(REPLACE "\\-" "-" page_options "${page_options}")
list(REMOVE_DUPLICATES page_options)
list(SORT page_options)

execute_process(COMMAND ${PROGRAM} --help
    OUTPUT_VARIABLE help ERROR_VARIABLE help_errors RESULT_VARIABLE status)
string(REGEX MATCHALL "--[a-z][a-z0-9-]*" program_options "${help}${help_errors}")
list(REMOVE_DUPLICATES program_options)
list(SORT program_options)

if(NOT page_options STREQUAL program_options)
    message(FATAL_ERROR "The page names ${page_options}\n"
                        "the program's --help (status ${status}) names ${program_options}:\n"
                        "${help}${help_errors}")
endif()
