# The bitmap check and the graphics arithmetic built for the build machine: their unit tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz target's seed writer and,
# with clang, the libFuzzer target itself.
set(BITMAP_CHECK_DIR ${CMAKE_CURRENT_SOURCE_DIR}/bitmap_check)
set(bitmap_check_sources ${TARNWELL_ROOT}/src/files/bitmap_layout.cpp ${TARNWELL_ROOT}/src/files/rle_stream.cpp
  ${TARNWELL_ROOT}/src/vdu/graphics_rules.cpp)
set(bitmap_check_test_dir ${TARNWELL_ROOT}/tests/vdu)

include(CheckCXXSourceCompiles)
set(bitmap_check_sanitize -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
set(CMAKE_REQUIRED_FLAGS "${bitmap_check_sanitize}")
set(CMAKE_REQUIRED_LINK_OPTIONS ${bitmap_check_sanitize})
check_cxx_source_compiles("int main() { return 0; }" BITMAP_CHECK_HAVE_SANITIZERS)
unset(CMAKE_REQUIRED_FLAGS)
unset(CMAKE_REQUIRED_LINK_OPTIONS)

add_executable(bitmap_check_tests ${bitmap_check_sources}
  ${bitmap_check_test_dir}/graphics_rules_test.cpp
  ${bitmap_check_test_dir}/graphics_bitmap_check_test.cpp)
target_include_directories(bitmap_check_tests PRIVATE ${TARNWELL_ROOT}/src ${bitmap_check_test_dir})
target_link_libraries(bitmap_check_tests PRIVATE GTest::gtest_main)
target_compile_options(bitmap_check_tests PRIVATE -Wall -Wextra -g -O1)
if(BITMAP_CHECK_HAVE_SANITIZERS)
  target_compile_options(bitmap_check_tests PRIVATE ${bitmap_check_sanitize})
  target_link_options(bitmap_check_tests PRIVATE ${bitmap_check_sanitize})
endif()
add_test(NAME bitmap_check_tests COMMAND bitmap_check_tests)

add_executable(bitmap_check_seeds ${BITMAP_CHECK_DIR}/make_seeds.cpp)
target_include_directories(bitmap_check_seeds PRIVATE ${bitmap_check_test_dir})

tarnwell_fuzz_target(bitmap_check_fuzz
  SOURCES ${bitmap_check_sources} ${BITMAP_CHECK_DIR}/bitmap_check_fuzz.cpp
  INCLUDES ${TARNWELL_ROOT}/src
  HEADERS ${TARNWELL_ROOT}/src/files/bitmap_layout.h ${TARNWELL_ROOT}/src/files/rle_stream.h
          ${TARNWELL_ROOT}/src/vdu/graphics_rules.h)
