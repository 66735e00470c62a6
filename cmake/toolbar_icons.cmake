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
set(_icon_inputs "${_icon_list}" "${CMAKE_CURRENT_SOURCE_DIR}/cmake/embed_icons.cmake")
file(STRINGS "${_icon_list}" _icon_lines REGEX "^[^#]")
foreach(_line IN LISTS _icon_lines)
  string(REGEX MATCHALL "[^ \t]+" _fields "${_line}")
  list(LENGTH _fields _n)
  if(_n LESS 2)
    continue()
  endif()
  list(GET _fields 0 _name)
  list(GET _fields 1 _kind)
  foreach(_size 16 32)
    if(_kind STREQUAL "own")
      set(_file "${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/own/${_size}/${_name}.png")
    elseif(_n GREATER 2)
      list(GET _fields 2 _path)
      set(_file "${VENDLE_TANGO_DIR}/${_size}x${_size}/${_path}.png")
    endif()
    if(EXISTS "${_file}")
      list(APPEND _icon_inputs "${_file}")
    endif()
  endforeach()
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
