lorvex_test(tst_gbk LIBS lorvex_text)
lorvex_test(tst_weights LIBS lorvex_boneweight_core lorvex_text)
lorvex_test(tst_errorreport LIBS lorvex_app)
lorvex_test(tst_form1 LIBS lorvex_app lorvex_text lorvex_movie_widgets)
