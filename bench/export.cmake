# Exports of the creator's puzzle: the PNG at four times the screen, the SVG, and the printed
# document as PDF, for a usual size and for the largest.
add_suite_benchmark(export_bench ${CMAKE_CURRENT_LIST_DIR}/export_bench.cpp
  LIBS osterfane_window testing)
