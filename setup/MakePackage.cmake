# Stages what gets installed in OUT/source, lists it in OUT/filelist.txt, builds
# OUT/setup.dat, and puts the installer and the files it reads from its folder beside it.
file(REMOVE_RECURSE "${OUT}")
set(STAGE "${OUT}/source")
file(MAKE_DIRECTORY "${STAGE}")

file(COPY "${BIN}/horavel" "${BIN}/horavel-setup" DESTINATION "${STAGE}")
file(COPY "${DATA}/" DESTINATION "${STAGE}")
file(COPY "${SETUP_DATA}/english.txt" "${SETUP_DATA}/lisezmoi.html" "${SETUP_DATA}/readme.html"
     DESTINATION "${STAGE}")
file(COPY_FILE "${ICON}" "${STAGE}/horavel.png")

file(GLOB_RECURSE staged RELATIVE "${STAGE}" "${STAGE}/*")
list(SORT staged)
set(list_text "")
foreach(f ${staged})
  string(REPLACE "/" "\\" name "${f}")
  string(APPEND list_text "${name}\n")
endforeach()
string(APPEND list_text "END\n")
file(WRITE "${OUT}/filelist.txt" "${list_text}")

execute_process(COMMAND "${BUILDER}" "${STAGE}" "${OUT}/filelist.txt" "${OUT}/setup.dat"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The archive could not be built")
endif()

file(COPY "${BIN}/horavel-setup" DESTINATION "${OUT}")
file(GLOB eulas "${SETUP_DATA}/eula_*.txt")
file(COPY ${eulas} "${SETUP_DATA}/english.txt" DESTINATION "${OUT}")
