# The program's folders are layers: platform/ and resources/ at the bottom, sampling/,
# magnifier/ and about/ above them, app/ on top. Each folder is a library, and its headers can be
# included (as "folder/name.h") only by the targets that link that library: a forwarding header
# per header is written into an include root of the library's own in the build tree. An include
# against the direction of the links then fails to build.
#
# A folder's window-free logic is a library of its own (folder_logic) that builds everywhere and
# exports only the pure headers named for it; the folder's Win32 library exports the rest. So
# pure code cannot reach a Win32 header of its folder on any build, Windows included.

# Writes a forwarder for each of `headers` (file names in `folder`) into the include root `root`,
# removes forwarders of headers that are no longer listed, and gives the root to `target`.
function(vorlith_export_headers target folder root)
  set(wanted "")
  foreach(name IN LISTS ARGN)
    set(header "${PROJECT_SOURCE_DIR}/${folder}/${name}")
    if(NOT EXISTS "${header}")
      message(FATAL_ERROR "${folder}/${name} does not exist")
    endif()
    list(APPEND wanted "${root}/${folder}/${name}")
    # Written only when the text changes, so that a new configure rebuilds nothing.
    file(CONFIGURE OUTPUT "${root}/${folder}/${name}" CONTENT "#include \"${header}\"\n")
  endforeach()
  file(GLOB written "${root}/${folder}/*.h")
  foreach(forwarder IN LISTS written)
    if(NOT forwarder IN_LIST wanted)
      file(REMOVE "${forwarder}")
    endif()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "${root}")
  else()
    target_include_directories(${target} PUBLIC "${root}")
  endif()
endfunction()

# vorlith_pure_headers(TARGET FOLDER HEADER...): the folder's window-free headers, exported by
# its logic library. They never include <windows.h>.
function(vorlith_pure_headers target folder)
  set_property(GLOBAL PROPERTY VORLITH_PURE_HEADERS_${folder} ${ARGN})
  vorlith_export_headers(${target} ${folder} "${PROJECT_BINARY_DIR}/include/${folder}-pure" ${ARGN})
endfunction()

# vorlith_folder_headers(TARGET FOLDER): every other header of the folder, exported by the
# library that builds on Win32 (or by the folder's only library, when it has no pure part).
function(vorlith_folder_headers target folder)
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE "${PROJECT_SOURCE_DIR}/${folder}"
       "${PROJECT_SOURCE_DIR}/${folder}/*.h")
  get_property(pure GLOBAL PROPERTY VORLITH_PURE_HEADERS_${folder})
  if(pure)
    list(REMOVE_ITEM headers ${pure})
  endif()
  vorlith_export_headers(${target} ${folder} "${PROJECT_BINARY_DIR}/include/${folder}" ${headers})
endfunction()

# vorlith_program_code(TARGET...): the targets hold the program's own code, built as the program is
# (VORLITH_PROGRAM_OPTIONS, set at the top). Test programs that link them keep their own options.
function(vorlith_program_code)
  foreach(target IN LISTS ARGN)
    target_compile_options(${target} PRIVATE ${VORLITH_PROGRAM_OPTIONS})
  endforeach()
endfunction()
