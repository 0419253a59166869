# Writes the bash completion of tropolink-cli from its --help.
# Run with -DCLI=<program> -DTEMPLATE=<file.in> -DOUTPUT=<file> -P this file.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/cli_help.cmake)

function(case_line subcommand prefix out)
  list(JOIN ${prefix}_OPTIONS " " options)
  list(JOIN ${prefix}_NAME_OPTIONS " " name_options)
  list(JOIN ${prefix}_FILE_OPTIONS " " file_options)
  list(JOIN ${prefix}_VALUE_OPTIONS " " value_options)
  set(${out} "        '${subcommand}')
            options='${options}'
            name_options='${name_options}' file_options='${file_options}' value_options='${value_options}'
            positional='${${prefix}_POSITIONAL}'
            ;;" PARENT_SCOPE)
endfunction()

tropolink_read_help("${CLI}" "" tool)
if(NOT tool_NAMES)
  message(FATAL_ERROR "${CLI} --help lists no settings")
endif()
case_line("" tool cases)
foreach(subcommand IN LISTS tool_SUBCOMMANDS)
  tropolink_read_help("${CLI}" ${subcommand} sub)
  case_line(${subcommand} sub line)
  string(APPEND cases "\n${line}")
endforeach()

set(TROPOLINK_CLI_CASES "${cases}")
list(JOIN tool_SUBCOMMANDS " " TROPOLINK_CLI_SUBCOMMANDS)
list(TRANSFORM tool_NAMES APPEND "=")
list(JOIN tool_NAMES " " TROPOLINK_CLI_NAMES)
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
