# Cross-build the Windows program on Linux with clang and lld, as a second compiler beside
# mingw-w64's GCC: clang targets x86_64-w64-mingw32 and uses the mingw-w64 headers and import
# libraries, and the C++ library (libstdc++) of the posix-thread mingw-w64 GCC.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(VORLITH_MINGW_ROOT /usr/${TOOLCHAIN_PREFIX})

find_program(VORLITH_CLANG NAMES clang-14 clang REQUIRED)
find_program(VORLITH_CLANGXX NAMES clang++-14 clang++ REQUIRED)
set(CMAKE_C_COMPILER ${VORLITH_CLANG})
set(CMAKE_CXX_COMPILER ${VORLITH_CLANGXX})
set(CMAKE_C_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_SYSROOT ${VORLITH_MINGW_ROOT})
find_program(CMAKE_AR NAMES llvm-ar-14 llvm-ar ${TOOLCHAIN_PREFIX}-ar REQUIRED)
find_program(CMAKE_RANLIB NAMES llvm-ranlib-14 llvm-ranlib ${TOOLCHAIN_PREFIX}-ranlib REQUIRED)
# Resources are compiled by the mingw-w64 binutils' windres, as in the GCC build.
find_program(CMAKE_RC_COMPILER NAMES ${TOOLCHAIN_PREFIX}-windres REQUIRED)

# clang finds no C++ library of its own for this target: the posix-thread GCC's libstdc++ (its
# headers and its libraries), whichever GCC version is installed.
file(GLOB VORLITH_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${TOOLCHAIN_PREFIX}/*-posix)
list(SORT VORLITH_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET VORLITH_GCC_DIRS 0 VORLITH_GCC_DIR)
if(NOT EXISTS ${VORLITH_GCC_DIR}/include/c++)
  message(FATAL_ERROR "No posix-thread mingw-w64 GCC in /usr/lib/gcc/${TOOLCHAIN_PREFIX}: "
                      "install g++-mingw-w64-x86-64 (scripts/deps.sh)")
endif()
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${VORLITH_GCC_DIR}/include/c++ -isystem ${VORLITH_GCC_DIR}/include/c++/${TOOLCHAIN_PREFIX}")
# lld links; -static takes libstdc++ and libgcc from the GCC directory, and libgcc_eh's
# thread-local emulation needs the winpthreads library after them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${VORLITH_GCC_DIR}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld -L${VORLITH_GCC_DIR}")
set(CMAKE_CXX_STANDARD_LIBRARIES "-lpthread")

set(CMAKE_FIND_ROOT_PATH ${VORLITH_MINGW_ROOT})
include(${CMAKE_CURRENT_LIST_DIR}/windows-target-find.cmake)
