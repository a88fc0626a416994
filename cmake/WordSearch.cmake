# Shared build rules of the suite: warnings, libraries, programs and tests.

include(GNUInstallDirs)

function(wordsearch_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(WORDSEARCH_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# add_engine_library(name sources...): a static library that may link Qt6::Core and nothing
# of the window toolkit; wordsearch_check_engines() holds every such library to that.
function(add_engine_library name)
  add_library(${name} STATIC ${ARGN})
  target_link_libraries(${name} PUBLIC Qt6::Core)
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR})
  wordsearch_warnings(${name})
  set_property(GLOBAL APPEND PROPERTY WORDSEARCH_ENGINES ${name})
endfunction()

# add_window_library(name sources... LIBS libs...): the windows of a program, a static library
# over its engine and the ui adapter. Sources are listed one by one, as everywhere in the build.
function(add_window_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} ui)
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR})
  wordsearch_warnings(${name})
endfunction()

# Collects into out_var every library that target links, directly or through other targets of
# the build, as written in the link lists (Qt6::Gui, core, ...).
function(wordsearch_link_closure target out_var)
  set(seen)
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    if(NOT TARGET ${current})
      continue()
    endif()
    get_target_property(direct ${current} LINK_LIBRARIES)
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    foreach(lib IN LISTS direct interface)
      if(NOT lib OR lib MATCHES "-NOTFOUND$")
        continue()
      endif()
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
      if(NOT lib IN_LIST seen)
        list(APPEND seen ${lib})
        get_target_property(imported ${lib} IMPORTED)
        if(TARGET ${lib} AND NOT imported)
          list(APPEND queue ${lib})
        endif()
      endif()
    endforeach()
  endwhile()
  set(${out_var} ${seen} PARENT_SCOPE)
endfunction()

# Fails the configuration when an engine library (add_engine_library) links any of Qt's GUI
# modules, directly or through a library it uses: engines are tested and fuzzed without a
# display and must stay that way.
function(wordsearch_check_engines)
  get_property(engines GLOBAL PROPERTY WORDSEARCH_ENGINES)
  foreach(engine IN LISTS engines)
    wordsearch_link_closure(${engine} libs)
    foreach(lib IN LISTS libs)
      if(lib MATCHES "^Qt6?::(Gui|Widgets|PrintSupport|Svg|OpenGL|Quick)")
        message(FATAL_ERROR "The engine library ${engine} links ${lib}; an engine may link "
                            "Qt6::Core only. Move the code that needs ${lib} into a window "
                            "library.")
      endif()
    endforeach()
  endforeach()
endfunction()

# The window icon sizes, in pixels, rendered from each program's SVG icon.
set(WORDSEARCH_ICON_SIZES 16 24 32 48 64 128 256)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(GZIP gzip REQUIRED)

# wordsearch_gzip(source output): output is source compressed the way Debian wants (best
# compression, no name or time stamp, so the package builds the same every time).
function(wordsearch_gzip source output)
  string(REGEX REPLACE "\\.gz$" "" plain ${output})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
    COMMAND ${GZIP} -9nf ${plain}
    DEPENDS ${source}
    VERBATIM)
endfunction()

# add_program(name sources... LIBS libs...): one of the suite's window programs. Its command,
# like every command on the system, is the name in lower case (its "id"), and so are its files:
#   packaging/applications/<id>.desktop   the menu entry
#   packaging/icons/<id>.svg              the icon
#   packaging/man/<id>.1                  the manual page
# The icon is rendered to PNGs at build time and compiled into the program as the resource
# folder ":/program-icon", which ui::Application makes every window's icon; the SVG, the PNGs
# and the menu entry are installed into the hicolor theme and share/applications.
function(add_program name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  string(TOLOWER ${name} id)
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  set_target_properties(${name} PROPERTIES OUTPUT_NAME ${id})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  wordsearch_warnings(${name})
  install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  set(desktop_file ${PROJECT_SOURCE_DIR}/packaging/applications/${id}.desktop)
  set(icon_svg ${PROJECT_SOURCE_DIR}/packaging/icons/${id}.svg)
  set(man_page ${PROJECT_SOURCE_DIR}/packaging/man/${id}.1)
  foreach(file ${desktop_file} ${icon_svg} ${man_page})
    if(NOT EXISTS ${file})
      message(FATAL_ERROR "${name} needs ${file}")
    endif()
  endforeach()
  install(FILES ${desktop_file} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  set(man_gz ${CMAKE_CURRENT_BINARY_DIR}/${id}.1.gz)
  wordsearch_gzip(${man_page} ${man_gz})
  install(FILES ${man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/${name}_icon)
  set(icon_pngs)
  foreach(size ${WORDSEARCH_ICON_SIZES})
    set(png ${icon_dir}/${size}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${icon_svg}
      DEPENDS ${icon_svg}
      COMMENT "Rendering the ${size} px icon of ${name}"
      VERBATIM)
    list(APPEND icon_pngs ${png})
    install(FILES ${png} RENAME ${id}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  qt_add_resources(${name} ${name}_icon PREFIX /program-icon BASE ${icon_dir} FILES ${icon_pngs})
  add_custom_target(${name}_man ALL DEPENDS ${man_gz})
  set_property(GLOBAL APPEND PROPERTY WORDSEARCH_PROGRAMS ${name})

  # Every command answers --help and --version without a display, and refuses an unknown
  # option with the status 2. The shell adds the status to what the test's pattern reads.
  if(WORDSEARCH_TESTS)
    set(run_shown sh -c "QT_QPA_PLATFORM= \"$0\" \"$1\" 2>&1\necho \"status $?\"" $<TARGET_FILE:${name}>)
    add_test(NAME ${id}_help COMMAND ${run_shown} --help)
    set_tests_properties(${id}_help PROPERTIES
      PASS_REGULAR_EXPRESSION "^Usage: ${id} \\[options\\].*man ${id}\nstatus 0\n$")
    add_test(NAME ${id}_version COMMAND ${run_shown} --version)
    set_tests_properties(${id}_version PROPERTIES
      PASS_REGULAR_EXPRESSION "^${id} ${PROJECT_VERSION}\nstatus 0\n$")
    add_test(NAME ${id}_bad_option COMMAND ${run_shown} --no-such-option)
    set_tests_properties(${id}_bad_option PROPERTIES
      PASS_REGULAR_EXPRESSION "^${id}: Unknown option 'no-such-option'.*status 2\n$")
  endif()
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
