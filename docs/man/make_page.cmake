# Joins the scdoc SOURCES, writes the page PAGE with scdoc and PAGE.gz beside it.
# Run with -DSCDOC= -DGZIP= -DEPOCH= -DPAGE= -DSOURCES=a;b;... -P this file.
cmake_minimum_required(VERSION 3.25)
set(joined "${PAGE}.scd")
file(WRITE "${joined}" "")
foreach(source IN LISTS SOURCES)
  file(READ "${source}" text)
  file(APPEND "${joined}" "${text}")
endforeach()
set(ENV{SOURCE_DATE_EPOCH} "${EPOCH}")
execute_process(COMMAND "${SCDOC}" INPUT_FILE "${joined}" OUTPUT_FILE "${PAGE}" ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE "${PAGE}")
  message(FATAL_ERROR "scdoc: ${errors}")
endif()
# -n leaves out the name and time, so the archive depends on the page alone.
execute_process(COMMAND "${GZIP}" -9nc "${PAGE}" OUTPUT_FILE "${PAGE}.gz" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip failed: ${status}")
endif()
