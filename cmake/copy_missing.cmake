# Copies every file of SOURCE_DIR into DEST_DIR that DEST_DIR does not hold yet, so that running from the
# build tree finds the shipped data files while a user's edits there are never overwritten.
file(GLOB files LIST_DIRECTORIES false "${SOURCE_DIR}/*")
foreach(f IN LISTS files)
  get_filename_component(name "${f}" NAME)
  if(NOT EXISTS "${DEST_DIR}/${name}")
    file(COPY "${f}" DESTINATION "${DEST_DIR}")
  endif()
endforeach()
