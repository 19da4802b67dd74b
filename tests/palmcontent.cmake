lorvex_test(tst_palmcontent LIBS lorvex_palm)
