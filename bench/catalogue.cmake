lorvex_bench(bench_catalogue QT LIBS lorvex_palm lorvex_picture)
