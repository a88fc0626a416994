# Starts an installed program offscreen with the test library testing_firstwindow preloaded,
# which reports the first window and closes it as soon as it is shown, and checks what was
# reported and how the program ended.
# -D PROGRAM (path), HOOK (the preloaded library), CAPTION (the first window's designed
# caption), ICON_SIZES (as 16,32,...), HOME_DIR.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${HOME_DIR})
file(MAKE_DIRECTORY ${HOME_DIR})
set(ENV{HOME} ${HOME_DIR})
set(ENV{XDG_CONFIG_HOME} ${HOME_DIR}/.config)
file(MAKE_DIRECTORY ${HOME_DIR}/runtime)
file(CHMOD ${HOME_DIR}/runtime PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(ENV{XDG_RUNTIME_DIR} ${HOME_DIR}/runtime)
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{QT_LOGGING_RULES} "qt.qpa.*=false")
set(ENV{LD_PRELOAD} ${HOOK})
# Under AddressSanitizer its runtime need not come first: the hook is built with it too.
set(ENV{ASAN_OPTIONS} "$ENV{ASAN_OPTIONS}:verify_asan_link_order=0")
execute_process(COMMAND ${PROGRAM} WORKING_DIRECTORY ${HOME_DIR}
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT result STREQUAL "0")
  message(FATAL_ERROR "${PROGRAM} ended with ${result}\n${out}\n${err}")
endif()
if(NOT err STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} wrote to standard error:\n${err}")
endif()

set(expected "caption: ${CAPTION}\nicon: ${ICON_SIZES}\n")
if(EXISTS /usr/share/wine/fonts/tahoma.ttf)
  string(APPEND expected "tahoma: found\n")
else()
  string(REGEX REPLACE "tahoma: [a-z]*\n$" "" out "${out}")
endif()
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "${PROGRAM} reported\n${out}\ninstead of\n${expected}")
endif()
