lorvex_test(tst_lunarcalendar LIBS lorvex_calendar)
lorvex_test(tst_skycalendar LIBS lorvex_calendar)
lorvex_test(tst_almanac LIBS lorvex_calendar)
