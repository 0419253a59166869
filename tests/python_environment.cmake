# What a test needs to run Python on the built module: the module and the tool
# on their paths, and under the sanitizer its runtimes.
set(python_test_environment
  "PYTHONPATH=$<TARGET_FILE_DIR:tropolink_python>"
  "TROPOLINK_CLI=$<TARGET_FILE:tropolink-cli>"
  "PYTHONPYCACHEPREFIX=${CMAKE_CURRENT_BINARY_DIR}/pycache")
if(TROPOLINK_SANITIZE)
  # The interpreter is not instrumented: the sanitizer runtimes must be loaded
  # before the module, and the interpreter's own allocations at exit are not
  # the module's leaks.
  foreach(runtime libasan.so libubsan.so)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    list(APPEND preload ${path})
  endforeach()
  list(JOIN preload ":" preload)
  list(APPEND python_test_environment "LD_PRELOAD=${preload}" "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1")
endif()
