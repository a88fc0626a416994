# Pindral: new games from a dictionary-sized and a small word list, the containment pass
# against comparing every pair, and one drag step on a 15 x 15 board.
add_suite_benchmark(pindral_bench ${CMAKE_CURRENT_LIST_DIR}/pindral_game.cpp LIBS pindral_window testing)
target_include_directories(pindral_bench PRIVATE ${PROJECT_SOURCE_DIR}/pindral/tests)
target_compile_definitions(pindral_bench PRIVATE
  WORDSEARCH_PINDRAL_LISTS="${PROJECT_SOURCE_DIR}/pindral/wordlists")
