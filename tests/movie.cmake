# The SWF player: the core on small movies of our own writer, and the widget.
lorvex_test(tst_swf LIBS lorvex_movie lorvex_swfwriter)
lorvex_test(tst_swfplayer LIBS lorvex_movie_widgets lorvex_swfwriter)
lorvex_test(tst_player LIBS lorvex_movie lorvex_swfwriter)
if(LORVEX_BUILD_TOOLS)
    lorvex_test(tst_rili LIBS lorvex_movie lorvex_moviemaker)
    target_compile_definitions(tst_rili PRIVATE
        LORVEX_RILI_SWF="${PROJECT_SOURCE_DIR}/assets/rili.swf")
endif()

# The fuzzer's corpus and findings, replayed without libFuzzer; under the sanitizers in the asan
# build.
add_executable(replay_swf ${PROJECT_SOURCE_DIR}/fuzz/fuzz_swf.cpp
    ${PROJECT_SOURCE_DIR}/fuzz/replay.cpp)
target_link_libraries(replay_swf PRIVATE lorvex_movie)
lorvex_warnings(replay_swf)
add_test(NAME replay_swf_corpus COMMAND replay_swf ${PROJECT_SOURCE_DIR}/fuzz/corpus/swf)
set_tests_properties(replay_swf_corpus PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# Our frames against other players' pictures (tests/data/swf).
lorvex_test(tst_swfsamples LIBS lorvex_movie)
target_sources(tst_swfsamples PRIVATE framecompare.h framecompare.cpp)
target_compile_definitions(tst_swfsamples PRIVATE
    LORVEX_SWF_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data/swf")
