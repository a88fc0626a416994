# The RTF plain-text reader, and the writer on what it read. Seeds: fuzz/corpus/rtf.
add_fuzz_target(fuzz_rtf ${CMAKE_CURRENT_LIST_DIR}/fuzz_rtf.cpp LIBS core)
