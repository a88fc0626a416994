add_suite_benchmark(bench_tamsorel ${CMAKE_CURRENT_LIST_DIR}/tamsorel_bench.cpp
  LIBS tamsorel_window testing)
# The command-line benchmark runs the program itself.
target_compile_definitions(bench_tamsorel PRIVATE TAMSOREL_PROGRAM="$<TARGET_FILE:Tamsorel>")
add_dependencies(bench_tamsorel Tamsorel)
