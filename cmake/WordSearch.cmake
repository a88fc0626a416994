# Shared build rules of the suite: warnings, libraries, programs and tests.

function(wordsearch_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(WORDSEARCH_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# add_engine_library(name sources...): a static library that may link Qt6::Core and nothing
# of the window toolkit.
function(add_engine_library name)
  add_library(${name} STATIC ${ARGN})
  target_link_libraries(${name} PUBLIC Qt6::Core)
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  wordsearch_warnings(${name})
endfunction()

# add_program(name sources... LIBS libs...): one of the suite's window programs.
function(add_program name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  wordsearch_warnings(${name})
endfunction()

# add_unit_test(name sources... LIBS libs...): a Qt Test program registered with CTest. It runs
# headless on the offscreen platform, in its own build folder.
function(add_unit_test name)
  if(NOT WORDSEARCH_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE
    WORDSEARCH_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    WORDSEARCH_TEST_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  wordsearch_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false"
    TIMEOUT 300)
endfunction()
