lorvex_bench(bench_richtext QT LIBS lorvex_richtext)
target_compile_definitions(bench_richtext PRIVATE LORVEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
