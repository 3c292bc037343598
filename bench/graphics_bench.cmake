add_executable(bench_graphics bench_graphics.cpp)
target_link_libraries(bench_graphics PRIVATE tarnwell_host)
target_compile_options(bench_graphics PRIVATE -Wall -Wextra -O2)
