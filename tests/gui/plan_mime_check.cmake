# Builds a scratch MIME database from the system's types and the plan type,
# and checks that *.tropolink.toml maps to the plan type, a kind of TOML, and
# that the planner's desktop entry opens it.
# Run with -DUPDATE= -DPACKAGING= -DWORK= -P this file.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/packages")
file(COPY /usr/share/mime/packages/freedesktop.org.xml "${PACKAGING}/tropolink-plan.xml"
     DESTINATION "${WORK}/packages")
# It notes on standard error that the scratch folder is not searched: no fault.
execute_process(COMMAND "${UPDATE}" "${WORK}" RESULT_VARIABLE result ERROR_VARIABLE errors)
if(result)
  message(FATAL_ERROR "update-mime-database: ${result} ${errors}")
endif()
file(READ "${WORK}/globs2" globs)
if(NOT globs MATCHES "[0-9]+:application/x-tropolink-plan:\\*\\.tropolink\\.toml\n")
  message(FATAL_ERROR "no glob *.tropolink.toml for application/x-tropolink-plan in globs2")
endif()
file(READ "${WORK}/subclasses" subclasses)
if(NOT subclasses MATCHES "application/x-tropolink-plan application/toml")
  message(FATAL_ERROR "application/x-tropolink-plan is no subclass of application/toml")
endif()
file(READ "${PACKAGING}/io.github.tropolink.TropolinkPlanner.desktop" entry)
if(NOT entry MATCHES "\nMimeType=application/x-tropolink-plan;\n")
  message(FATAL_ERROR "the planner's desktop entry does not open application/x-tropolink-plan")
endif()
