# Reads the words of tropolink-cli's interface from its own --help, so that
# what is generated from them (the shell completion) and what is checked
# against them (the manual page) follow the program as it is built.

# tropolink_read_help(<cli> <subcommand or ""> <prefix>) sets, in the caller:
#   <prefix>_OPTIONS        every long option
#   <prefix>_NAME_OPTIONS   options whose value is NAME=...
#   <prefix>_FILE_OPTIONS   options whose value is a FILE, PATH or DIR
#   <prefix>_VALUE_OPTIONS  options with any other value
#   <prefix>_SUBCOMMANDS    the subcommands
#   <prefix>_POSITIONAL     the first positional argument's kind: names, files or other
#   <prefix>_NAMES          the NAMEs of the settings table
function(tropolink_read_help cli subcommand prefix)
  cmake_policy(SET CMP0057 NEW)  # IN_LIST
  execute_process(COMMAND "${cli}" ${subcommand} --help
                  OUTPUT_VARIABLE help RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${cli} ${subcommand} --help failed: ${status}")
  endif()
  # Descriptions may hold list separators and brackets; only the words matter.
  string(REPLACE ";" "," help "${help}")
  string(REPLACE "[" "(" help "${help}")
  string(REPLACE "]" ")" help "${help}")
  string(REPLACE "\n" ";" lines "${help}")

  foreach(kind OPTIONS NAME_OPTIONS FILE_OPTIONS VALUE_OPTIONS SUBCOMMANDS NAMES)
    set(${kind} "")
  endforeach()
  set(POSITIONAL "")
  set(section "")
  set(seen "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^([A-Z][A-Za-z]*)( \\(.*\\))?:$")
      # Only the first section of a name: a footer's "Options (...):" is prose.
      set(section "")
      if(NOT CMAKE_MATCH_1 IN_LIST seen)
        set(section "${CMAKE_MATCH_1}")
        list(APPEND seen "${section}")
      endif()
      continue()
    elseif(NOT line MATCHES "^  [^ ]")  # blank, a continuation or free text
      if(NOT line MATCHES "^ ")
        set(section "")
      endif()
      continue()
    endif()
    if(section STREQUAL "Options" AND line MATCHES "^  (-[A-Za-z0-9],)?(--[a-z0-9-]+)( ([^ ]+))?")
      set(option "${CMAKE_MATCH_2}")
      set(type "${CMAKE_MATCH_4}")
      list(APPEND OPTIONS "${option}")
      if(type MATCHES "NAME=")
        list(APPEND NAME_OPTIONS "${option}")
      elseif(type MATCHES "^(FILE|PATH|DIR)")
        list(APPEND FILE_OPTIONS "${option}")
      elseif(type MATCHES "^[A-Z]" AND NOT type MATCHES ":$")  # not "Excludes:", "Needs:"
        list(APPEND VALUE_OPTIONS "${option}")
      endif()
    elseif(section STREQUAL "Subcommands" AND line MATCHES "^  ([a-z][a-z0-9-]*)( |$)")
      list(APPEND SUBCOMMANDS "${CMAKE_MATCH_1}")
    elseif(section STREQUAL "Positionals" AND POSITIONAL STREQUAL "" AND line MATCHES "^  [a-z][A-Za-z0-9_-]* ([^ ]+)")
      set(type "${CMAKE_MATCH_1}")
      if(type MATCHES "NAME=")
        set(POSITIONAL names)
      elseif(type MATCHES "^(FILE|PATH|DIR)")
        set(POSITIONAL files)
      else()
        set(POSITIONAL other)
      endif()
    elseif(section STREQUAL "Settings" AND line MATCHES "^  ([A-Za-z0-9][A-Za-z0-9.-]*) " AND NOT CMAKE_MATCH_1 STREQUAL "NAME")
      list(APPEND NAMES "${CMAKE_MATCH_1}")
    endif()
  endforeach()

  foreach(kind OPTIONS NAME_OPTIONS FILE_OPTIONS VALUE_OPTIONS SUBCOMMANDS NAMES POSITIONAL)
    set(${prefix}_${kind} "${${kind}}" PARENT_SCOPE)
  endforeach()
endfunction()
