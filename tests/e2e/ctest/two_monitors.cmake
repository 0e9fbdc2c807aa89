# The suites that need a desktop of two monitors, the primary on the right and the other at
# negative x: Xorg with the dummy driver and a Wine prefix of their own (build/wineprefix-twomon),
# started by a fixture of their own (two_monitors.sh) and sharing the pointer with no other test.
set(two_monitor_suites TwoMonitors)

set(two_monitor_state ${CMAKE_CURRENT_BINARY_DIR}/wine-display-twomon.env)
set(two_monitor_fixture ${CMAKE_CURRENT_SOURCE_DIR}/two_monitors.sh)
add_test(NAME e2e.twomon.setup
  COMMAND ${VORLITH_BASH} ${two_monitor_fixture} setup ${two_monitor_state})
add_test(NAME e2e.twomon.cleanup
  COMMAND ${VORLITH_BASH} ${two_monitor_fixture} cleanup ${two_monitor_state})
set_tests_properties(e2e.twomon.setup PROPERTIES FIXTURES_SETUP vorlith_wine_twomon TIMEOUT 400)
set_tests_properties(e2e.twomon.cleanup PROPERTIES FIXTURES_CLEANUP vorlith_wine_twomon TIMEOUT 60)

foreach(suite IN LISTS two_monitor_suites)
  # The suite fails, rather than skips, when this display does not have the two monitors.
  add_test(NAME e2e.twomon.${suite}
    COMMAND ${VORLITH_BASH} ${run_suite} ${two_monitor_state} ${driver} ${suite})
  set_tests_properties(e2e.twomon.${suite} PROPERTIES
    FIXTURES_REQUIRED vorlith_wine_twomon RESOURCE_LOCK vorlith_display RUN_SERIAL TRUE
    TIMEOUT 300 LABELS wine ENVIRONMENT VORLITH_E2E_TWO_MONITORS=1)
endforeach()
