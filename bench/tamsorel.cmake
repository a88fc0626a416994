add_suite_benchmark(bench_tamsorel ${CMAKE_CURRENT_LIST_DIR}/tamsorel_bench.cpp
  LIBS tamsorel_window testing)
