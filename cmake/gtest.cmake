# GoogleTest for every test program, found one way: include this file, then link GTest::gtest
# (a test with its own main) or GTest::gtest_main. In order:
#   1. a native build uses an installed GTest package where there is one;
#   2. else GoogleTest is built from the sources in VORLITH_GTEST_SOURCE_DIR (by default
#      /usr/src/googletest, where Debian's googletest package puts them), with the build's own
#      compiler: the cross builds always take this way;
#   3. else, with MSVC only, a pinned GoogleTest release is downloaded (FetchContent). No other
#      build ever downloads anything: without the sources, configuring fails and says why.
# GoogleTest is built without the project's warning flags (-Werror, /WX are for our code) and,
# under MSVC, with the DLL runtime that CMake gives the tests (gtest_force_shared_crt).
include_guard(GLOBAL)

set(VORLITH_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources, built when no installed GTest package fits the build")

# The release that an MSVC build downloads when it has neither of the above.
set(VORLITH_GTEST_URL https://github.com/google/googletest/archive/refs/tags/v1.15.2.tar.gz)
set(VORLITH_GTEST_SHA256 7b42b4d6ed48810c5362c265a17faebe90dc2373c885e5216439d37927f02926)

# 1. An installed package: only for a native build (a cross build cannot link the build
#    machine's library).
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest CONFIG QUIET)
  if(NOT GTest_FOUND)
    find_package(GTest QUIET)
  endif()
  if(TARGET GTest::gtest AND TARGET GTest::gtest_main)
    # Imported targets are seen only below the folder that found them: make them (and the
    # threads library they link) seen by every test folder.
    foreach(target GTest::gtest GTest::gtest_main Threads::Threads)
      if(TARGET ${target})
        get_target_property(imported ${target} IMPORTED)
        get_target_property(global ${target} IMPORTED_GLOBAL)
        if(imported AND NOT global)
          set_target_properties(${target} PROPERTIES IMPORTED_GLOBAL TRUE)
        endif()
      endif()
    endforeach()
    message(STATUS "GoogleTest: the installed package (${GTest_DIR}${GTEST_INCLUDE_DIRS})")
    return()
  endif()
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)

# 2. The sources on this machine.
if(EXISTS ${VORLITH_GTEST_SOURCE_DIR}/CMakeLists.txt)
  message(STATUS "GoogleTest: built from ${VORLITH_GTEST_SOURCE_DIR}")
  add_subdirectory(${VORLITH_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# 3. MSVC on a machine that has neither (a hosted Windows runner, say): the pinned release.
elseif(MSVC)
  message(STATUS "GoogleTest: downloading ${VORLITH_GTEST_URL}")
  include(FetchContent)
  set(extract_times "")
  if(CMAKE_VERSION VERSION_GREATER_EQUAL 3.24)
    set(extract_times DOWNLOAD_EXTRACT_TIMESTAMP TRUE)
  endif()
  FetchContent_Declare(googletest URL ${VORLITH_GTEST_URL} URL_HASH SHA256=${VORLITH_GTEST_SHA256}
                       ${extract_times})
  FetchContent_MakeAvailable(googletest)
else()
  message(FATAL_ERROR "GoogleTest not found: no installed package for this build and no sources "
                      "in ${VORLITH_GTEST_SOURCE_DIR}. Install googletest (scripts/deps.sh), set "
                      "VORLITH_GTEST_SOURCE_DIR to a GoogleTest checkout, or configure with "
                      "-DVORLITH_WINDOWS_TESTS=OFF to build the program alone.")
endif()

# Our warning flags reach GoogleTest's targets through the folder's compile options; GoogleTest
# sets its own.
foreach(target gtest gtest_main)
  set_property(TARGET ${target} PROPERTY COMPILE_OPTIONS "")
  if(NOT TARGET GTest::${target})
    add_library(GTest::${target} ALIAS ${target})
  endif()
endforeach()
