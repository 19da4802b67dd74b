lorvex_test(tst_integer LIBS lorvex_boneweight_core lorvex_base_core lorvex_text)
lorvex_test(tst_reckoning LIBS lorvex_boneweight_core lorvex_base_core)
lorvex_test(tst_birthdatapage LIBS lorvex_app)

# The reckoning's fuzz harness replayed over its corpus (the seeds and every finding, see
# fuzz/README.md) in every build, the ASan one in CI above all, as the readers' corpora are.
add_executable(replay_reckoning ${CMAKE_SOURCE_DIR}/fuzz/replay.cpp
    ${CMAKE_SOURCE_DIR}/fuzz/fuzz_reckoning.cpp)
target_link_libraries(replay_reckoning PRIVATE lorvex_boneweight_core lorvex_base_core lorvex_text)
lorvex_warnings(replay_reckoning)
add_test(NAME replay_reckoning COMMAND replay_reckoning ${CMAKE_SOURCE_DIR}/fuzz/corpus/reckoning)
