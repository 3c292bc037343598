add_executable(bench_files bench_files.cpp)
target_link_libraries(bench_files PRIVATE tarnwell_host)
target_compile_options(bench_files PRIVATE -Wall -Wextra -O2)
