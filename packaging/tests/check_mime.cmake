# The installed file type and menu entries as a desktop sees them: with a scratch
# XDG_DATA_HOME holding what the install put into share/, a .tam file must read as the solver's
# script type, the solver must be the default for it, and every menu entry must validate.
# -D PREFIX, DATADIR, HOME_DIR.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/require_tools.cmake)
require_tools(update-mime-database update-desktop-database xdg-mime mimetype desktop-file-validate)

file(REMOVE_RECURSE ${HOME_DIR})
set(data ${HOME_DIR}/data)
file(MAKE_DIRECTORY ${data}/mime/packages ${data}/applications ${HOME_DIR}/config)
file(GLOB types ${PREFIX}/${DATADIR}/mime/packages/*.xml)
file(GLOB entries ${PREFIX}/${DATADIR}/applications/*.desktop)
file(COPY ${types} DESTINATION ${data}/mime/packages)
file(COPY ${entries} DESTINATION ${data}/applications)
set(ENV{HOME} ${HOME_DIR})
set(ENV{XDG_DATA_HOME} ${data})
set(ENV{XDG_DATA_DIRS} /usr/share)
set(ENV{XDG_CONFIG_HOME} ${HOME_DIR}/config)
unset(ENV{XDG_CURRENT_DESKTOP})
unset(ENV{DESKTOP_SESSION})

execute_process(COMMAND update-mime-database ${data}/mime RESULT_VARIABLE r1)
execute_process(COMMAND update-desktop-database ${data}/applications RESULT_VARIABLE r2)
if(NOT r1 EQUAL 0 OR NOT r2 EQUAL 0)
  message(FATAL_ERROR "updating the scratch databases failed: ${r1} ${r2}")
endif()

file(WRITE ${HOME_DIR}/puzzle.tam "reset\r\ndim 2 2\r\n")
execute_process(COMMAND xdg-mime query filetype ${HOME_DIR}/puzzle.tam
  OUTPUT_VARIABLE type OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT type STREQUAL "application/x-tamsorel-script")
  message(FATAL_ERROR "a .tam file reads as '${type}'")
endif()
execute_process(COMMAND xdg-mime query default application/x-tamsorel-script
  OUTPUT_VARIABLE default OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT default STREQUAL "tamsorel.desktop")
  message(FATAL_ERROR "the default for scripts is '${default}'")
endif()

foreach(entry ${entries})
  execute_process(COMMAND desktop-file-validate ${entry} RESULT_VARIABLE result
    OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "${entry} does not validate:\n${out}")
  endif()
endforeach()
