lorvex_test(tst_rtfreader LIBS lorvex_richtext)
