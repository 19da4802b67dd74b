lorvex_test(tst_palmpage LIBS lorvex_app)
