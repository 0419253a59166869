# The release as the Debian changelog records it: its newest entry must be the
# project's version, and its date stamps the manual pages, so that a rebuild
# of the same release gives the same files.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog changelog_lines)
list(GET changelog_lines 0 changelog_head)
if(NOT changelog_head MATCHES "^tropolink \\(([^)]+)\\) ")
  message(FATAL_ERROR "packaging/changelog: the first line names no version: ${changelog_head}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog: the newest entry is ${CMAKE_MATCH_1}, the project is ${PROJECT_VERSION}")
endif()
foreach(line IN LISTS changelog_lines)
  if(line MATCHES "^ -- .*>  (.+)$")
    set(release_date "${CMAKE_MATCH_1}")
    break()
  endif()
endforeach()
execute_process(COMMAND date -u -d "${release_date}" +%s
                OUTPUT_VARIABLE TROPOLINK_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT TROPOLINK_RELEASE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "packaging/changelog: cannot read the date of the newest entry: ${release_date}")
endif()
