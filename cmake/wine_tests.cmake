# The Windows test programs run under Wine, all from the one ctest of the native tree
# (build/native). The cross tree (build/mingw) builds them and discovers their tests with
# gtest_discover_tests, through an emulator that runs them in a Wine session
# (tests/e2e/ctest/wine_test.sh); it writes one file, wine_tests.cmake, that includes what was
# discovered. The native tree includes that file and holds the CTest fixtures that start and end
# the Wine sessions, one per density (tests/e2e/ctest).
include(GoogleTest)

# The densities other than 96 pixels per inch at which some suites run again, each in a Wine
# prefix and on an Xvfb of its own.
set(VORLITH_TEST_DENSITIES 120 144)

# The name of the CTest fixture that gives a Wine session: a density (96, 120, 144) or "twomon",
# the desktop of two monitors.
function(vorlith_wine_fixture out session)
  if(session STREQUAL "96")
    set(${out} vorlith_wine PARENT_SCOPE)
  elseif(session STREQUAL "twomon")
    set(${out} vorlith_wine_twomon PARENT_SCOPE)
  else()
    set(${out} vorlith_wine_dpi${session} PARENT_SCOPE)
  endif()
endfunction()

# vorlith_wine_tests(TARGET PREFIX name. [DPI dpi | SESSION twomon] [FILTER gtest-filter])
# Registers the tests of a cross-built GoogleTest program (those that FILTER selects), each as a
# test named PREFIX followed by its GoogleTest name, run one at a time in the Wine session of the
# density DPI (96 by default) or of the two monitors, within 300 s (wine_test.sh ends Wine at
# 290).
function(vorlith_wine_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PREFIX;DPI;SESSION;FILTER" "")
  if(NOT arg_DPI)
    set(arg_DPI 96)
  endif()
  # wine_test.sh finds the session from this (and tells the two-monitor suite where it runs).
  if(arg_SESSION STREQUAL "twomon")
    set(environment VORLITH_WINE_SESSION=twomon)
  else()
    set(arg_SESSION ${arg_DPI})
    set(environment VORLITH_E2E_DPI=${arg_DPI})
  endif()
  find_program(VORLITH_BASH bash REQUIRED)
  set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR
               ${VORLITH_BASH} ${PROJECT_SOURCE_DIR}/tests/e2e/ctest/wine_test.sh)
  vorlith_wine_fixture(fixture ${arg_SESSION})
  # Listing may wait for the prefix while a test run holds it, or make it on the first build.
  gtest_discover_tests(${target}
    TEST_PREFIX ${arg_PREFIX}
    TEST_FILTER ${arg_FILTER}
    # Names as the driver gives them, without "# GetParam() = ..." after them.
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 900
    PROPERTIES
      FIXTURES_REQUIRED ${fixture}
      # One pointer, one keyboard focus and one display: never two at once.
      RESOURCE_LOCK vorlith_display
      RUN_SERIAL TRUE
      TIMEOUT 300
      LABELS wine
      ENVIRONMENT ${environment}
  )
  get_property(files DIRECTORY PROPERTY TEST_INCLUDE_FILES)
  list(GET files -1 file)
  set_property(GLOBAL APPEND PROPERTY VORLITH_WINE_TEST_FILES ${file})
endfunction()

# Writes the cross tree's wine_tests.cmake, once every program is registered.
function(vorlith_write_wine_test_list)
  get_property(files GLOBAL PROPERTY VORLITH_WINE_TEST_FILES)
  set(text "# The Windows programs' tests, as discovered when they were built.\n")
  foreach(file IN LISTS files)
    string(APPEND text "include(\"${file}\")\n")
  endforeach()
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/wine_tests.cmake CONTENT "${text}" @ONLY)
endfunction()
