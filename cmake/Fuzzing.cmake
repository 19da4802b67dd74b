# libFuzzer harnesses, built with clang only: cmake -B build/fuzz -DCMAKE_CXX_COMPILER=clang++
# -DLORVEX_FUZZ=ON, then run build/fuzz/fuzz/<harness> -max_total_time=60.
option(LORVEX_FUZZ "Build the libFuzzer harnesses (clang only)" OFF)
if(LORVEX_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "LORVEX_FUZZ needs clang (libFuzzer)")
endif()
if(LORVEX_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
