lorvex_bench(bench_sky LIBS lorvex_calendar)
