lorvex_test(tst_rtfreader LIBS lorvex_richtext)
# The palm introduction page sits here beside the reader that fills it.
lorvex_test(tst_palmintropage LIBS lorvex_palm lorvex_app)
