lorvex_bench(bench_startup LIBS lorvex_app)
