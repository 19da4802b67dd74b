# The birthplace reading: places, their clock history, true solar time, the 子时 boundary and the
# next lunar birthday (calendar/places, summertime, solartime, birthplace).
lorvex_test(tst_solartime LIBS lorvex_calendar)
lorvex_test(tst_birthplace LIBS lorvex_calendar lorvex_text)
