add_fuzz_target(fuzz_script ${CMAKE_CURRENT_LIST_DIR}/fuzz_script.cpp LIBS tamsorel_engine)
add_fuzz_target(fuzz_creator ${CMAKE_CURRENT_LIST_DIR}/fuzz_creator.cpp LIBS osterfane_engine)
