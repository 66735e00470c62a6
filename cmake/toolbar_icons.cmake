# The toolbar images: resources/icons/icons.txt names each image and where
# its PNG files are (the Tango icon theme, or our own under resources/icons).
# At build time cmake/embed_icons.cmake turns them into byte arrays in a
# generated source of vendle_core. An image that cannot be found is left out
# with a warning; its button then has no image.
set(VENDLE_TANGO_DIR "/usr/share/icons/Tango" CACHE PATH "Root of the Tango icon theme")
set(_icon_list "${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/icons.txt")
set(_icon_out "${CMAKE_CURRENT_BINARY_DIR}/generated/toolbar_icons_data.cpp")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_icon_list}")

# The files the generated source depends on (those that exist now).
include(${CMAKE_CURRENT_SOURCE_DIR}/cmake/icon_list.cmake)
vendle_read_icon_list("${_icon_list}" "${VENDLE_TANGO_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/own" _icons)
set(_icon_inputs "${_icon_list}" "${CMAKE_CURRENT_SOURCE_DIR}/cmake/embed_icons.cmake"
                 "${CMAKE_CURRENT_SOURCE_DIR}/cmake/icon_list.cmake")
foreach(_entry IN LISTS _icons)
  string(REPLACE "|" ";" _parts "${_entry}")
  list(GET _parts 2 _file)
  if(EXISTS "${_file}")
    list(APPEND _icon_inputs "${_file}")
  endif()
endforeach()

add_custom_command(
  OUTPUT "${_icon_out}"
  COMMAND ${CMAKE_COMMAND} "-DLIST=${_icon_list}" "-DTANGO=${VENDLE_TANGO_DIR}"
          "-DOWN=${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/own" "-DOUT=${_icon_out}"
          -P "${CMAKE_CURRENT_SOURCE_DIR}/cmake/embed_icons.cmake"
  DEPENDS ${_icon_inputs}
  COMMENT "Embedding the toolbar images"
  VERBATIM)
target_sources(vendle_core PRIVATE "${_icon_out}")
