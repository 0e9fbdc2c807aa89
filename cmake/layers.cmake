# The program's folders are layers: platform/ and resources/ at the bottom, sampling/,
# magnifier/ and about/ above them, app/ on top. Each folder is a library, and its headers can be
# included (as "folder/name.h") only by the targets that link that library: a forwarding header
# per header is written into an include root of the folder's own in the build tree. An include
# against the direction of the links then fails to build.
function(vorlith_folder_headers target folder)
  file(GLOB headers CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.h")
  set(root "${PROJECT_BINARY_DIR}/include/${folder}")
  set(wanted "")
  foreach(header IN LISTS headers)
    get_filename_component(name "${header}" NAME)
    list(APPEND wanted "${root}/${folder}/${name}")
    # Written only when the text changes, so that a new configure rebuilds nothing.
    file(CONFIGURE OUTPUT "${root}/${folder}/${name}" CONTENT "#include \"${header}\"\n")
  endforeach()
  # A header that is gone from the folder is gone from the include root too.
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
