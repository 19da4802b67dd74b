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
# The birthplace each edition starts on: the Simplified one on Beijing time, Taiwan's on Taipei,
# Hong Kong's on Hong Kong.
add_executable(tst_birthplaceedition tst_birthplaceedition.cpp)
target_link_libraries(tst_birthplaceedition PRIVATE Qt6::Test lorvex_app)
lorvex_warnings(tst_birthplaceedition)
foreach(desktop "zh_CN;zh-Hans" "zh_TW;tw" "zh_HK;hk")
    list(GET desktop 0 name)
    list(GET desktop 1 expected)
    add_test(NAME tst_birthplaceedition_${name} COMMAND tst_birthplaceedition)
    set_tests_properties(tst_birthplaceedition_${name} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANGUAGE=${name};LORVEX_EXPECTED_EDITION=${expected}")
endforeach()
