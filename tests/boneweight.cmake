lorvex_test(tst_integer LIBS lorvex_boneweight)
lorvex_test(tst_reckoning LIBS lorvex_boneweight)
lorvex_test(tst_birthdatapage LIBS lorvex_app)
