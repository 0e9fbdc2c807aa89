# Start checks in the native tree, on the Wine tests' fixture (tests/e2e/ctest): the release
# package unpacked and started, and the clang-built program started.
set(start_check ${VORLITH_WINDOWS_BUILD_DIR}/vorlith_start_check.exe)
set(start_script ${PROJECT_SOURCE_DIR}/tests/start/run_start_check.sh)

add_test(NAME package.starts
  COMMAND ${VORLITH_BASH} ${start_script} package ${start_check}
          ${VORLITH_WINDOWS_BUILD_DIR}/${VORLITH_PACKAGE_NAME}.zip ${VORLITH_WINDOWS_BUILD_DIR}/vorlith.exe)
set_tests_properties(package.starts PROPERTIES
  FIXTURES_REQUIRED vorlith_wine RESOURCE_LOCK vorlith_display RUN_SERIAL TRUE TIMEOUT 200
  LABELS wine)

set(VORLITH_CLANG_BUILD_DIR "" CACHE PATH "Build tree of the clang-built Windows program")
if(VORLITH_CLANG_BUILD_DIR)
  add_test(NAME clang.starts
    COMMAND ${VORLITH_BASH} ${start_script} exe ${start_check}
            ${VORLITH_CLANG_BUILD_DIR}/vorlith.exe)
  set_tests_properties(clang.starts PROPERTIES
    FIXTURES_REQUIRED vorlith_wine RESOURCE_LOCK vorlith_display RUN_SERIAL TRUE TIMEOUT 200
    LABELS wine)
endif()
