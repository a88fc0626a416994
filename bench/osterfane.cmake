# The puzzle creator: a build with its drawing from the click, the construction alone, and the
# full search of a word that finds no room.
add_suite_benchmark(osterfane_bench ${CMAKE_CURRENT_LIST_DIR}/osterfane_bench.cpp
  LIBS osterfane_window testing)
