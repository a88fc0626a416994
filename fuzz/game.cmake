add_fuzz_target(fuzz_wordlist ${CMAKE_CURRENT_LIST_DIR}/fuzz_wordlist.cpp LIBS pindral_engine)
add_fuzz_target(fuzz_ini ${CMAKE_CURRENT_LIST_DIR}/fuzz_ini.cpp LIBS pindral_engine)
