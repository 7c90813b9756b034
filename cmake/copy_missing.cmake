# Copies every file of SOURCE_DIR into DEST_DIR that DEST_DIR does not hold yet, so that running from the
# build tree finds the shipped data files while a user's edits there are never overwritten. The folders of
# read-only tables (the ephemeris series) are copied whenever they change.
file(GLOB entries "${SOURCE_DIR}/*")
foreach(f IN LISTS entries)
  get_filename_component(name "${f}" NAME)
  if(IS_DIRECTORY "${f}")
    file(COPY "${f}" DESTINATION "${DEST_DIR}")
  elseif(NOT EXISTS "${DEST_DIR}/${name}")
    file(COPY "${f}" DESTINATION "${DEST_DIR}")
  endif()
endforeach()
