# The Debian packages, built by `cpack` or the `package` target in a build
# tree; packaging/build-deb.sh makes a release build of them from a clean tree.
#
# Each install component is one package: `tropolink` holds everything that
# installs without a component of its own; a Python module, when the project
# builds the target tropolink_python, goes into `python3-tropolink`.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tropolink)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tropolink developers")
set(CPACK_PACKAGE_CONTACT "The Tropolink developers <dev@tropolink.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Each package's description below begins with its own summary line; CPack
# prepends no other summary when this one has its default value.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The dependencies on the shared libraries come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# The files Debian wants in every package's documentation directory, and the
# lintian overrides, for the package of component `component` named `package`.
# They are part of the package only, not of a plain `cmake --install`.
function(tropolink_debian_files component package)
  set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${package})
  set(changelog ${CMAKE_CURRENT_BINARY_DIR}/${package}/changelog.gz)
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${package})
  execute_process(COMMAND gzip -9nc ${CMAKE_CURRENT_SOURCE_DIR}/changelog OUTPUT_FILE ${changelog}
                  COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${changelog} ${CMAKE_CURRENT_SOURCE_DIR}/copyright DESTINATION ${doc_dir}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
  # packaging/lintian-overrides for the program's package, lintian-overrides.<package> for others.
  set(overrides ${CMAKE_CURRENT_SOURCE_DIR}/lintian-overrides)
  if(NOT package STREQUAL "tropolink")
    string(APPEND overrides ".${package}")
  endif()
  if(EXISTS ${overrides})
    install(FILES ${overrides} DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${package}
            COMPONENT ${component} EXCLUDE_FROM_ALL)
  endif()
endfunction()

set(CPACK_COMPONENTS_ALL tropolink)
set(CPACK_DEBIAN_TROPOLINK_PACKAGE_NAME tropolink)
set(CPACK_DEBIAN_TROPOLINK_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_TROPOLINK_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_TROPOLINK_DESCRIPTION "troposcatter radio link loss calculator
Tropolink estimates the path loss and the signal-to-noise ratio of a radio
link between two stations beyond each other's horizon, where the signal
reaches the receiver by scattering in the troposphere.

Sliders set the antenna heights, the obstructions that limit each horizon,
the transmitter powers, feed-line losses, noise figures, antenna gains, noise
temperatures and bandwidths of both stations, and the frequency, distance and
surface refractivity of the path. Every move recalculates the take-off and
scattering angles, the path loss by the Yeh, ITT, CCIR, Collins and Rider
methods, the free-space and perfect-duct losses, the receiver sensitivity,
the antenna beamwidth and the signal-to-noise ratio at each station.

The package holds the calculator window, tropolink; the link planner,
tropolink-planner, which edits link plans and shows their verdict, terrain
profile and loss over the year as each value changes; and the command-line
tool, tropolink-cli, which runs the same calculation for scripts: single
passes, batches as JSON lines, and sweeps over any setting as CSV tables or
SVG plots. It also gives the loss over the year, the fade margin and the
availability by ITU-R P.617 and P.2001; reads terrain profiles, from a CSV
file or from elevation data (SRTM tiles, GeoTIFF, DTED, anything GDAL
reads) between two sites, with their horizons and an SVG picture; and takes
N0, delta-N and the climate zone from the ITU-R digital maps, which the user
downloads and imports.")
tropolink_debian_files(tropolink tropolink)

# The Python 3 module, in dist-packages, where Debian's python3 finds the
# modules of packages; a plain `cmake --install` puts it in the prefix's own
# site-packages instead (component python_site, not packaged).
if(TARGET tropolink_python)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(python_dir lib/python3/dist-packages)
  # Debian ships shared objects without the execute bit.
  install(TARGETS tropolink_python LIBRARY DESTINATION ${python_dir} COMPONENT python EXCLUDE_FROM_ALL
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  install(FILES ${PROJECT_SOURCE_DIR}/python/tropolink.pyi DESTINATION ${python_dir}
          COMPONENT python EXCLUDE_FROM_ALL)
  list(APPEND CPACK_COMPONENTS_ALL python)
  math(EXPR python_next_minor "${Python3_VERSION_MINOR} + 1")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-tropolink)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  # An extension module is built for one Python version; calculate_many reads NumPy arrays.
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
      "python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}~), python3 (<< ${Python3_VERSION_MAJOR}.${python_next_minor}), python3-numpy")
  set(CPACK_DEBIAN_PYTHON_DESCRIPTION "troposcatter radio link loss calculator (Python 3 module)
The tropolink module runs the calculation of Tropolink from Python 3: one
pass with the text of every display box, its label and its figures, many
passes over NumPy arrays on every core, the ITU-R time-variability losses
and availability, and lookups in the ITU-R climate maps.")
  tropolink_debian_files(python python3-tropolink)
endif()

include(CPack)
