# Copies the shipped data folder beside the program (only files that changed).
if(EXISTS "${SRC}")
  file(GLOB_RECURSE files RELATIVE "${SRC}" "${SRC}/*")
  foreach(f ${files})
    configure_file("${SRC}/${f}" "${DST}/${f}" COPYONLY)
  endforeach()
endif()
