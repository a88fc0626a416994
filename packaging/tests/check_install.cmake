# Installs the build in BUILD_DIR into PREFIX (emptied first) and checks the installed files:
# exactly the expected ones, and every menu entry valid for desktop-file-validate.
# -D BUILD_DIR, SOURCE_DIR, PREFIX, PROGRAMS, ICON_SIZES, BINDIR, DATADIR, MANDIR, PACKAGE.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
string(REPLACE "," ";" ICON_SIZES "${ICON_SIZES}")
find_program(VALIDATE desktop-file-validate)
if(NOT VALIDATE)
  message(FATAL_ERROR "desktop-file-validate is missing (Debian package desktop-file-utils)")
endif()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected ${DATADIR}/doc/${PACKAGE}/copyright ${DATADIR}/doc/${PACKAGE}/changelog.gz)
foreach(program ${PROGRAMS})
  string(TOLOWER ${program} id)
  list(APPEND expected
    ${BINDIR}/${id}
    ${DATADIR}/applications/${id}.desktop
    ${DATADIR}/icons/hicolor/scalable/apps/${id}.svg
    ${MANDIR}/man1/${id}.1.gz)
  foreach(size ${ICON_SIZES})
    list(APPEND expected ${DATADIR}/icons/hicolor/${size}x${size}/apps/${id}.png)
  endforeach()
endforeach()
# The file type of the solver's scripts.
list(APPEND expected ${DATADIR}/mime/packages/tamsorel-script.xml)
# Files that one program reads at run time.
if(Pindral IN_LIST PROGRAMS)
  file(GLOB lists RELATIVE ${SOURCE_DIR}/pindral/wordlists ${SOURCE_DIR}/pindral/wordlists/*.txt)
  if(NOT lists)
    message(FATAL_ERROR "no word lists in ${SOURCE_DIR}/pindral/wordlists")
  endif()
  foreach(list_file ${lists})
    list(APPEND expected ${DATADIR}/pindral/wordlists/${list_file})
  endforeach()
endif()

file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT expected)
list(SORT installed)
set(missing ${expected})
list(REMOVE_ITEM missing ${installed})
set(extra ${installed})
list(REMOVE_ITEM extra ${expected})
if(missing OR extra)
  string(REPLACE ";" "\n  " missing "${missing}")
  string(REPLACE ";" "\n  " extra "${extra}")
  message(FATAL_ERROR "installed files differ\nmissing:\n  ${missing}\nunexpected:\n  ${extra}")
endif()

file(GLOB entries ${PREFIX}/${DATADIR}/applications/*.desktop)
foreach(entry ${entries})
  execute_process(COMMAND ${VALIDATE} ${entry} RESULT_VARIABLE result
    OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "${entry} does not validate:\n${out}")
  endif()
  # The entry starts the installed program and names the installed icon.
  get_filename_component(id ${entry} NAME_WE)
  file(STRINGS ${entry} exec REGEX "^Exec=")
  file(STRINGS ${entry} icon REGEX "^Icon=")
  if(NOT exec STREQUAL "Exec=${id} %f")
    message(FATAL_ERROR "${entry}: ${exec} is not \"Exec=${id} %f\"")
  endif()
  string(REGEX REPLACE "^Exec=([^ ]*).*" "\\1" exec "${exec}")
  if(NOT exec STREQUAL id OR NOT EXISTS ${PREFIX}/${BINDIR}/${exec} OR NOT icon STREQUAL "Icon=${id}")
    message(FATAL_ERROR "${entry}: Exec or Icon does not name the installed ${id}")
  endif()
endforeach()
list(LENGTH expected count)
message(STATUS "${count} files installed as expected")
