# Installs the build into a scratch prefix and checks that the programs, the
# description page, the desktop integration, the manual pages and the shell
# completion land in their standard places.
# Run with -DBUILD_DIR= -DPREFIX= -DBINDIR= -DDATADIR= -DDOCDIR= -DMANDIR= -P this file.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(result)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(app_id io.github.tropolink.Tropolink)
set(planner_id io.github.tropolink.TropolinkPlanner)
foreach(file
    "${BINDIR}/tropolink"
    "${BINDIR}/tropolink-cli"
    "${BINDIR}/tropolink-planner"
    "${DATADIR}/applications/${planner_id}.desktop"
    "${DATADIR}/metainfo/${planner_id}.metainfo.xml"
    "${DATADIR}/icons/hicolor/scalable/apps/${planner_id}.svg"
    "${DATADIR}/mime/packages/tropolink-plan.xml"
    "${MANDIR}/man1/tropolink-planner.1.gz"
    "${DOCDIR}/description.html"
    "${DATADIR}/applications/${app_id}.desktop"
    "${DATADIR}/metainfo/${app_id}.metainfo.xml"
    "${DATADIR}/icons/hicolor/scalable/apps/${app_id}.svg"
    "${MANDIR}/man1/tropolink.1.gz"
    "${MANDIR}/man1/tropolink-cli.1.gz"
    "${DATADIR}/bash-completion/completions/tropolink-cli")
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
