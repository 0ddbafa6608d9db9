# The table of picture formats (imageio/PictureFormats.def) for the build: TALLWICK_PICTURE_FORMATS
# holds the keys in the table's order, and for each key TALLWICK_PICTURE_FORMAT_<key>_EXTENSIONS
# (a list, the first the one files are given), _MIME_TYPE and _EVERY_QT_PROGRAM (true or false).
# Run as a script (cmake -P cmake/PictureFormats.cmake) it prints a line per format: its key and
# first extension.
set(_picture_table ${CMAKE_CURRENT_LIST_DIR}/../imageio/PictureFormats.def)
file(STRINGS ${_picture_table} _picture_rows REGEX "^PICTURE_FORMAT\\(")
set(TALLWICK_PICTURE_FORMATS)
foreach(_row IN LISTS _picture_rows)
  if(NOT _row MATCHES "^PICTURE_FORMAT\\(([a-z0-9]+), \"[^\"]+\", \"([a-z0-9 ]+)\", \"([^\"]+)\", (true|false),")
    message(FATAL_ERROR "${_picture_table}: a row not made as the others: ${_row}")
  endif()
  set(_key ${CMAKE_MATCH_1})
  list(APPEND TALLWICK_PICTURE_FORMATS ${_key})
  string(REPLACE " " ";" TALLWICK_PICTURE_FORMAT_${_key}_EXTENSIONS "${CMAKE_MATCH_2}")
  set(TALLWICK_PICTURE_FORMAT_${_key}_MIME_TYPE "${CMAKE_MATCH_3}")
  set(TALLWICK_PICTURE_FORMAT_${_key}_EVERY_QT_PROGRAM ${CMAKE_MATCH_4})
endforeach()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  foreach(_key IN LISTS TALLWICK_PICTURE_FORMATS)
    list(GET TALLWICK_PICTURE_FORMAT_${_key}_EXTENSIONS 0 _extension)
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${_key} ${_extension}")
  endforeach()
else()
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_picture_table})
endif()
