# Registers the tests of a Windows GoogleTest program. A cross build (mingw-w64 on Linux) runs
# them under Wine from the native tree (cmake/wine_tests.cmake); a build on Windows itself (the
# msvc preset, say) runs them straight from its own ctest, one at a time, on the desktop there is.
include(GoogleTest)

# vorlith_native_tests(TARGET PREFIX name.)
# Every test of the program, named PREFIX followed by its GoogleTest name. Suites made for another
# desktop (another density, two monitors) skip themselves where the desktop is not theirs.
function(vorlith_native_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PREFIX" "")
  gtest_discover_tests(${target}
    TEST_PREFIX ${arg_PREFIX}
    NO_PRETTY_VALUES
    DISCOVERY_MODE PRE_TEST
    PROPERTIES
      # One pointer, one keyboard focus and one display: never two at once.
      RESOURCE_LOCK vorlith_display
      RUN_SERIAL TRUE
      TIMEOUT 300
      LABELS windows
  )
endfunction()

# vorlith_windows_tests(TARGET PREFIX name.): all the program's tests, under Wine in a cross
# build (at 96 pixels per inch), natively otherwise.
function(vorlith_windows_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PREFIX" "")
  if(CMAKE_CROSSCOMPILING)
    vorlith_wine_tests(${target} PREFIX ${arg_PREFIX})
  else()
    vorlith_native_tests(${target} PREFIX ${arg_PREFIX})
  endif()
endfunction()
