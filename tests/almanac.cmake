# The almanac tab through the real window: at 100 % and 200 %, and in both Traditional editions.
lorvex_test(tst_almanacpage LIBS lorvex_app lorvex_almanac lorvex_hant_dictionaries)
foreach(run "2;C;2" "zh_TW;zh_TW;1" "zh_HK;zh_HK;1" "zh_TW_2;zh_TW;2")
    list(GET run 0 name)
    list(GET run 1 language)
    list(GET run 2 scale)
    add_test(NAME tst_almanacpage_${name} COMMAND tst_almanacpage)
    set_tests_properties(tst_almanacpage_${name} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANGUAGE=${language};QT_SCALE_FACTOR=${scale}")
endforeach()
