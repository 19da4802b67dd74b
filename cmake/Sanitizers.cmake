# ASan + UBSan for the whole build when LORVEX_SANITIZE is on (the asan preset).
if(LORVEX_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# What every test of a sanitized build runs with. Up to GCC 13 (and LLVM 16) the runtime's
# __tls_get_addr interceptor takes a block of dynamic TLS that malloc happened to place 16 bytes
# into a page for the header glibc dropped in 2.25, and reads the two words in front of it as an
# address and a size; LeakSanitizer's tracer then dies at exit ("Tracer caught signal 11") now
# and then, after all of a test has passed. Without the interceptor the blocks are found as heap
# chunks, reachable through glibc's own table.
set(LORVEX_SANITIZER_OPTIONS "intercept_tls_get_addr=0")
