lorvex_bench(bench_catalogue LIBS lorvex_palm)
