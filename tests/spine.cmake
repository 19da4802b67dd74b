lorvex_test(tst_gbk LIBS lorvex_text)
lorvex_test(tst_weights LIBS lorvex_boneweight_core lorvex_text)
lorvex_test(tst_errorreport LIBS lorvex_app)
lorvex_test(tst_form1 LIBS lorvex_app lorvex_text lorvex_movie_widgets)
# The window on finer screens: once at each scale desktops commonly offer.
lorvex_test(tst_highdpi LIBS lorvex_app)
foreach(scale 1.25 1.5 2)
    add_test(NAME tst_highdpi_${scale} COMMAND tst_highdpi)
    set_tests_properties(tst_highdpi_${scale} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;QT_SCALE_FACTOR=${scale}")
endforeach()
lorvex_test(tst_keep LIBS lorvex_app lorvex_keep)
