# The window's start-up reads the two data files beside the executable, as the program does; without
# them it would stop at the error box.
lorvex_bench(bench_startup QT LIBS lorvex_app)
foreach(data sxjj.txt rili.swf)
    configure_file(${PROJECT_SOURCE_DIR}/assets/${data} ${CMAKE_CURRENT_BINARY_DIR}/${data} COPYONLY)
endforeach()

# The start-up floor (one tab, one Song-face label); bench/startup.py measures it beside the
# program.
add_executable(startup_floor startup_floor.cpp)
target_link_libraries(startup_floor PRIVATE lorvex_base)
lorvex_warnings(startup_floor)
