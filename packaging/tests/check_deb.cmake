# Builds the Debian package from the build in BUILD_DIR into OUT_DIR and checks it: its control
# fields, that it holds what the install test installed (under /usr), and that lintian reports
# no error. -D BUILD_DIR, OUT_DIR, PREFIX (the install test's prefix), PACKAGE.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/require_tools.cmake)
require_tools(dpkg-deb dpkg-shlibdeps lintian)

file(REMOVE_RECURSE ${OUT_DIR})
execute_process(COMMAND cpack -G DEB -B ${OUT_DIR} --config ${BUILD_DIR}/CPackConfig.cmake
  WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs ${OUT_DIR}/${PACKAGE}_*.deb)
list(LENGTH debs count)
if(NOT result EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack did not build one package:\n${out}")
endif()

execute_process(COMMAND dpkg-deb --field ${debs} Package Depends Recommends Section
  OUTPUT_VARIABLE fields)
foreach(field "Package: ${PACKAGE}" "Recommends: fonts-wine, fonts-comic-neue"
              "Section: utils" "libqt6widgets6")
  string(FIND "${fields}" "${field}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the package's control lacks '${field}':\n${fields}")
  endif()
endforeach()

# The same files as the install test's prefix, only under /usr.
execute_process(COMMAND dpkg-deb --contents ${debs} OUTPUT_VARIABLE listing)
string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" packaged "${listing}")
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
foreach(file ${installed})
  string(FIND "${listing}" " ./usr/${file}\n" at)
  if(at LESS 0)
    message(FATAL_ERROR "the package lacks /usr/${file}")
  endif()
endforeach()
list(LENGTH installed want)
list(LENGTH packaged have)
if(NOT want EQUAL have)
  message(FATAL_ERROR "the package holds ${have} files, the install ${want}:\n${listing}")
endif()

execute_process(COMMAND lintian --fail-on error --tag-display-limit 0 ${debs}
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "lintian:\n${out}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lintian reports errors:\n${out}\n${err}")
endif()
