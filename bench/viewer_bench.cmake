add_executable(bench_viewer bench_viewer.cpp)
target_link_libraries(bench_viewer PRIVATE tarnwell_host)
target_compile_options(bench_viewer PRIVATE -Wall -Wextra -O2)
