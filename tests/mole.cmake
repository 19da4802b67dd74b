lorvex_test(tst_molepage LIBS lorvex_app)
