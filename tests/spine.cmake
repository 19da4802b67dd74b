lorvex_test(tst_gbk LIBS lorvex_text lorvex_boneweight_core)
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
# The 繁體 editions: the converter and our phrase list, then the real window under four desktops
# (LC_ALL=zh_TW.UTF-8 works without the locale generated: Qt reads the name itself).
lorvex_test(tst_hant LIBS lorvex_hant_dictionaries lorvex_boneweight_core lorvex_palm_core lorvex_mole_core)
if(LORVEX_BUILD_TOOLS)
    # The catalogues are what the marked sources give, to the byte, and hold every marked text.
    include(Catalogues)
    lorvex_catalogue_commands(${CMAKE_CURRENT_BINARY_DIR}/catalogues check_commands)
    add_test(NAME catalogues_current COMMAND ${CMAKE_COMMAND}
        -DOUT=${CMAKE_CURRENT_BINARY_DIR}/catalogues
        -DCOMMITTED=${CMAKE_SOURCE_DIR}/edition/translations
        -DLUPDATE=${LORVEX_LUPDATE} -DSOURCE_ROOT=${CMAKE_SOURCE_DIR} -DLIST=${CMAKE_BINARY_DIR}/catalogues/marked-sources.lst
        -DTOOL=$<TARGET_FILE:catalogues> -DINTRO=${CMAKE_SOURCE_DIR}/assets/sxjj.txt
        -P ${CMAKE_CURRENT_SOURCE_DIR}/catalogues-check.cmake)
endif()
# The parts of the Traditional faces beside the program draw as the whole faces do.
lorvex_test(tst_songfaces LIBS lorvex_base)
target_compile_definitions(tst_songfaces PRIVATE LORVEX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# Which picture each edition shows, with every picture's resources linked in.
lorvex_test(tst_editionpicture
    LIBS lorvex_base lorvex_picture lorvex_palm lorvex_palm_core lorvex_mole_core lorvex_boneweight)
add_executable(tst_hantwindow tst_hantwindow.cpp)
target_link_libraries(tst_hantwindow PRIVATE Qt6::Test lorvex_app lorvex_hant_dictionaries)
lorvex_warnings(tst_hantwindow)
foreach(desktop "zh_CN;LC_ALL=zh_CN.UTF-8;zh-Hans" "C;LC_ALL=C.UTF-8;zh-Hans"
                "zh_TW;LC_ALL=zh_TW.UTF-8;tw" "zh_HK;LANGUAGE=zh_HK;hk")
    list(GET desktop 0 name)
    list(GET desktop 1 variable)
    list(GET desktop 2 expected)
    add_test(NAME tst_hantwindow_${name} COMMAND tst_hantwindow)
    set_tests_properties(tst_hantwindow_${name} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;${variable};LORVEX_EXPECTED_EDITION=${expected}")
endforeach()
# The fit checks in both Traditional editions, at 100% and 200%.
foreach(desktop zh_TW zh_HK)
    foreach(scale 1 2)
        add_test(NAME tst_highdpi_${desktop}_${scale} COMMAND tst_highdpi)
        set_tests_properties(tst_highdpi_${desktop}_${scale} PROPERTIES ENVIRONMENT
            "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANGUAGE=${desktop};QT_SCALE_FACTOR=${scale}")
    endforeach()
endforeach()
lorvex_test(tst_keep LIBS lorvex_app lorvex_keep)
target_compile_definitions(tst_keep PRIVATE LORVEX_PRINT_MODULE="$<TARGET_FILE:lorvex2004-print>")
add_dependencies(tst_keep lorvex2004-print)
