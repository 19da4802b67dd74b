# The movie: reading and drawing rili.swf, and the whole program's CPU while it plays.
lorvex_bench(bench_movie QT LIBS lorvex_movie)
target_compile_definitions(bench_movie PRIVATE LORVEX_RILI_SWF="${PROJECT_SOURCE_DIR}/assets/rili.swf")
add_executable(movie_cpu movie_cpu.cpp)
target_link_libraries(movie_cpu PRIVATE lorvex_movie_widgets)
target_compile_definitions(movie_cpu PRIVATE LORVEX_RILI_SWF="${PROJECT_SOURCE_DIR}/assets/rili.swf")
lorvex_warnings(movie_cpu)
