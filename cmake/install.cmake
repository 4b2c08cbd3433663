# SPDX-License-Identifier: MIT
# Installation: the three programs and the chart module of
# nachtblick-report, for each window program a desktop
# entry, an icon and AppStream metainfo, the manual pages and an example
# place file. Included at the end of the top-level CMakeLists.txt, after
# every target exists.
#
#   cmake --install build --prefix /usr/local

include(GNUInstallDirs)

# The manual pages carry the version of project(): man/NAME.1.in becomes
# BUILD/man/NAME.1.
foreach(page nachtblick kalender nachtblick-report)
  configure_file(man/${page}.1.in ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
endforeach()

install(TARGETS nachtblick-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The chart module, a private plugin of nachtblick-report (no SONAME, not
# on the linker's path).
install(TARGETS nachtblick-chart LIBRARY DESTINATION ${NB_CHART_MODULE_DIR})
install(FILES ${CMAKE_BINARY_DIR}/man/nachtblick-report.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(NB_GUI)
  install(TARGETS nachtblick kalender RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  foreach(program nachtblick kalender)
    install(FILES data/org.example.${program}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES data/org.example.${program}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    # The icon in the hicolor theme: the SVG and the PNGs rendered from it
    # (scripts/icons.sh).
    set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
    install(FILES data/icons/${program}.svg DESTINATION ${icons}/scalable/apps)
    foreach(size 48 128)
      install(FILES data/icons/${program}-${size}.png DESTINATION ${icons}/${size}x${size}/apps
              RENAME ${program}.png)
    endforeach()
  endforeach()
  install(FILES ${CMAKE_BINARY_DIR}/man/nachtblick.1 ${CMAKE_BINARY_DIR}/man/kalender.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# DOCDIR is share/doc/nachtblick (the project's name).
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The example place file where the programs look for one last (see
# NB_PLACE_DIR in the top-level CMakeLists.txt).
install(FILES data/gtknblick.conf DESTINATION ${NB_PLACE_DIR})

# Every form of the manual pages' SYNOPSIS on a line of its own (skipped
# without groff).
if(BUILD_TESTING)
  add_test(NAME man_synopsis COMMAND sh ${PROJECT_SOURCE_DIR}/tests/man_synopsis.sh
           ${CMAKE_BINARY_DIR}/man/nachtblick.1 ${CMAKE_BINARY_DIR}/man/kalender.1
           ${CMAKE_BINARY_DIR}/man/nachtblick-report.1)
  set_tests_properties(man_synopsis PROPERTIES SKIP_RETURN_CODE 77)
endif()

# Installs into a scratch prefix inside the build tree and checks what
# arrived there; skipped (exit 77) when desktop-file-validate, appstreamcli
# or groff is missing.
if(BUILD_TESTING AND NB_GUI)
  add_test(NAME install_check
           COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/check-install.sh
                   ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/install-check ${CMAKE_COMMAND}
                   ${PROJECT_VERSION})
  set_tests_properties(install_check PROPERTIES SKIP_RETURN_CODE 77 LABELS install)
endif()

# The same build installed to a scratch prefix finds its chart module and
# its example place file there (only where the place file moves with the
# prefix, not for /etc). Both tests write the build's install_manifest.txt.
if(BUILD_TESTING AND NOT IS_ABSOLUTE "${NB_PLACE_DIR}")
  add_test(NAME install_relocated
           COMMAND sh ${PROJECT_SOURCE_DIR}/tests/install_relocated.sh ${PROJECT_BINARY_DIR}
                   ${CMAKE_COMMAND})
  set_tests_properties(install_relocated PROPERTIES SKIP_RETURN_CODE 77 LABELS install
                       RESOURCE_LOCK install_manifest)
endif()
if(TEST install_check)
  set_tests_properties(install_check PROPERTIES RESOURCE_LOCK install_manifest)
endif()
