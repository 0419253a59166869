# Builds the Debian package of a build tree into OUT_DIR and checks its name.
# Run with -DCPACK= -DCONFIG=<CPackConfig.cmake> -DOUT_DIR= -DEXPECTED=<deb> -P this file.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${OUT_DIR}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${CONFIG}" -B "${OUT_DIR}"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed (${status}):\n${output}")
endif()
file(GLOB debs "${OUT_DIR}/*.deb")
if(NOT debs STREQUAL EXPECTED)
  message(FATAL_ERROR "cpack wrote [${debs}], expected ${EXPECTED}")
endif()
