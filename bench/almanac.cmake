# A day's card on the almanac tab, its items and its layout.
lorvex_bench(bench_almanac QT LIBS lorvex_almanac_core)
