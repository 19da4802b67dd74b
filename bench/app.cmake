lorvex_bench(bench_startup LIBS lorvex_app)

# The start-up floor (one tab, one Song-face label); bench/startup.py measures it beside the
# program.
add_executable(startup_floor startup_floor.cpp)
target_link_libraries(startup_floor PRIVATE lorvex_base)
lorvex_warnings(startup_floor)
