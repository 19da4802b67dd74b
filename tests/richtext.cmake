lorvex_test(tst_rtfreader LIBS lorvex_richtext)
# The palm introduction page sits here beside the reader that fills it.
lorvex_test(tst_palmintropage LIBS lorvex_palm lorvex_app)

# The fuzz harness replayed over its corpus (the seeds and every finding, see fuzz/README.md) and
# over the word processors' files of the tests, which seed the fuzzer too but are kept apart from
# its corpus, in every build, the ASan one in CI above all, so that a fixed finding stays fixed.
add_executable(replay_rtfreader ${CMAKE_SOURCE_DIR}/fuzz/replay.cpp
    ${CMAKE_SOURCE_DIR}/fuzz/fuzz_rtfreader.cpp)
target_link_libraries(replay_rtfreader PRIVATE lorvex_richtext)
lorvex_warnings(replay_rtfreader)
add_test(NAME replay_rtfreader COMMAND replay_rtfreader ${CMAKE_SOURCE_DIR}/fuzz/corpus/rtfreader
    ${CMAKE_CURRENT_SOURCE_DIR}/data/rtf)
set_tests_properties(replay_rtfreader PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/fuzz/lsan.supp;ASAN_OPTIONS=fast_unwind_on_malloc=0")

# Test programs that run the window's real start-up find the introduction beside them, as the
# program does beside its executable.
configure_file(${CMAKE_SOURCE_DIR}/assets/sxjj.txt ${CMAKE_CURRENT_BINARY_DIR}/sxjj.txt COPYONLY)
