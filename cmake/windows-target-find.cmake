# What both Windows toolchains share: look for libraries and headers only below the mingw-w64
# root given in CMAKE_FIND_ROOT_PATH, programs on the build machine, and run the cross-built
# programs (tests, tools) under Wine where it is installed.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

find_program(WINE_PROGRAM NAMES wine64 wine)
if(WINE_PROGRAM)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
endif()
