# The RTF plain-text reader on a document of about 1 MB as a word processor writes it, and the
# writer on the text that document holds.
add_suite_benchmark(bench_rtf ${CMAKE_CURRENT_LIST_DIR}/rtf_bench.cpp LIBS core)
