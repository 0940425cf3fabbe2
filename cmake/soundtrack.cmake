# The soundtrack's table, soundtrack/tracks.def, as the build sees it: VENTORA_TRACK_SLUGS lists the
# slug of every row in order; each names a score to render and a file to embed.
function(ventora_read_track_slugs def)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
  file(STRINGS ${def} rows REGEX "^VENTORA_TRACK")
  set(quoted "\"([^\"\\\\]|\\\\.)*\"")  # a string literal; it may hold escaped characters
  set(row_pattern "^VENTORA_TRACK\\(([a-z0-9_]+), *${quoted}, *${quoted}, *(Playlist|DefeatCue), *[0-9]+\\)$")
  set(slugs "")
  foreach(row IN LISTS rows)
    if(NOT row MATCHES "${row_pattern}")
      message(FATAL_ERROR "soundtrack/tracks.def: not a row the build can read:\n  ${row}")
    endif()
    list(APPEND slugs ${CMAKE_MATCH_1})
  endforeach()
  set(VENTORA_TRACK_SLUGS ${slugs} PARENT_SCOPE)
endfunction()

ventora_read_track_slugs(${CMAKE_SOURCE_DIR}/soundtrack/tracks.def)
