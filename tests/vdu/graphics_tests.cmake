# The graphics operation: its arithmetic and the bitmap check on their own (also built natively
# with the sanitizers, tools/native/bitmap_check.cmake), and the operation on real screens.
set(graphics_test_dir ${CMAKE_CURRENT_SOURCE_DIR}/vdu)
tarnwell_test(graphics_rules_test ${graphics_test_dir}/graphics_rules_test.cpp
                                  ${graphics_test_dir}/graphics_bitmap_check_test.cpp)
tarnwell_test(graphics_operation_test ${graphics_test_dir}/graphics_drawing_test.cpp
                                      ${graphics_test_dir}/graphics_bitmap_test.cpp)
target_link_libraries(graphics_operation_test PRIVATE vdu_client)

add_test(NAME graphics_rules_native_test COMMAND ${TARNWELL_NATIVE_DIR}/bitmap_check_tests)

# BMP files made at test time by ImageMagick, netpbm and a run-length encoder of our own, each
# drawn and shown as the splash, and compared with ImageMagick's decoding of it.
add_executable(bitmap_corpus_test ${graphics_test_dir}/bitmap_corpus_test.cpp)
target_link_libraries(bitmap_corpus_test PRIVATE vdu_client GTest::gtest_main)
target_compile_options(bitmap_corpus_test PRIVATE -Wall -Wextra)
add_test(NAME bitmap_corpus_test
  COMMAND ${graphics_test_dir}/bitmap_corpus_test.sh $<TARGET_FILE:bitmap_corpus_test>
          ${CMAKE_CURRENT_BINARY_DIR}/bitmap_corpus_test.work)

# Skipped when no clang was found for the fuzz target. Seeded with the built-in files and the
# corpus of real ones.
add_test(NAME bitmap_check_fuzz_smoke_test
  COMMAND ${CMAKE_COMMAND} -E env BITMAP_CHECK_SEEDS=${TARNWELL_NATIVE_DIR}/bitmap_check_seeds
          ${PROJECT_SOURCE_DIR}/tests/common/fuzz_smoke.sh ${TARNWELL_NATIVE_DIR}/bitmap_check_fuzz
          ${CMAKE_CURRENT_BINARY_DIR}/bitmap_check_fuzz_smoke.work ${graphics_test_dir}/bitmap_fuzz_seeds.sh 4096)
set_tests_properties(bitmap_check_fuzz_smoke_test PROPERTIES SKIP_RETURN_CODE 77)
