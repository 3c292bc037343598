add_executable(bench_display bench_display.cpp)
target_link_libraries(bench_display PRIVATE tarnwell_host)
target_compile_options(bench_display PRIVATE -Wall -Wextra -O2)
