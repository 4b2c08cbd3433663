# SPDX-License-Identifier: MIT
# How the folders declare their targets, so that each does it the same way.

# A static library of the listed sources, the project root on its include
# path:  nb_library(NAME SOURCES... [LINKS lib...])
function(nb_library name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

# A library of window code on GTK+ 2. GtkText is GTK+ 2's 1.2-style text
# widget (GTK_ENABLE_BROKEN); its headers and API warn about themselves, so
# the deprecation warnings are off for everything that includes them.
function(nb_gtk_library name)
  nb_library(${name} ${ARGN})
  target_link_libraries(${name} PUBLIC PkgConfig::GTK2)
  target_compile_definitions(${name} PUBLIC GTK_ENABLE_BROKEN)
  target_compile_options(${name} PUBLIC -Wno-deprecated-declarations -Wno-cast-function-type)
endfunction()

# The window icon PROGRAM.png where the icon theme has none: the installed
# 128-pixel PNG, whose path the library TARGET gets as DEFINE, and a copy of
# it in the build tree's data/icons for runs from the build tree.
#   nb_window_icon(TARGET DEFINE PROGRAM)
function(nb_window_icon target define program)
  set(png ${CMAKE_INSTALL_FULL_DATADIR}/icons/hicolor/128x128/apps/${program}.png)
  target_compile_definitions(${target} PRIVATE ${define}="${png}")
  configure_file(${PROJECT_SOURCE_DIR}/data/icons/${program}-128.png
                 ${PROJECT_BINARY_DIR}/data/icons/${program}-128.png COPYONLY)
endfunction()

# A GoogleTest program, each of its tests a ctest:
#   nb_unit_test(NAME SOURCES... LINKS lib...)
function(nb_unit_test name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest_main)
  gtest_discover_tests(${name})
endfunction()

# A window test: needs an X display; without one it exits 77 and counts as
# skipped.  nb_gui_test(NAME SOURCE LIBRARY)
function(nb_gui_test name source library)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${library} GTest::gtest)
  target_compile_definitions(${name} PRIVATE NB_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS gui SKIP_RETURN_CODE 77)
endfunction()
