# The sheet solvers: the Find run of the engine in both modes, a whole "Find!" click with its
# repaint in either window, and Kallowit's "Next >>" up to the shown sheet window.
add_suite_benchmark(sheetsolver_bench ${CMAKE_CURRENT_LIST_DIR}/sheetsolver_bench.cpp
  LIBS brevoni_window kallowit_window)
