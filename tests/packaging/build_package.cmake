# Builds the Debian packages of a build tree into OUT_DIR and checks their names.
# Run with -DCPACK= -DCONFIG=<CPackConfig.cmake> -DOUT_DIR= -DEXPECTED=<debs, sorted> -P this file.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${OUT_DIR}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${CONFIG}" -B "${OUT_DIR}"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed (${status}):\n${output}")
endif()
file(GLOB debs "${OUT_DIR}/*.deb")
list(SORT debs)
if(NOT debs STREQUAL EXPECTED)
  message(FATAL_ERROR "cpack wrote [${debs}], expected ${EXPECTED}")
endif()
