# require_tools(tool...): ends the check script with a message naming the first tool that is not
# on the PATH. Included by the package and file-type checks.
function(require_tools)
  foreach(tool ${ARGN})
    find_program(tool_path ${tool} NO_CACHE)
    if(NOT tool_path)
      message(FATAL_ERROR "${tool} is missing (scripts/install-deps installs it)")
    endif()
    unset(tool_path)
  endforeach()
endfunction()
