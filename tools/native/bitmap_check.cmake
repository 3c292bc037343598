# The bitmap check and the graphics arithmetic built for the build machine: their unit tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz target's seed writer and,
# with clang, the libFuzzer target itself.
set(BITMAP_CHECK_DIR ${CMAKE_CURRENT_SOURCE_DIR}/bitmap_check)
set(bitmap_check_sources ${TARNWELL_ROOT}/src/files/bitmap_layout.cpp ${TARNWELL_ROOT}/src/vdu/graphics_rules.cpp)
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

# The fuzz target needs clang's libFuzzer; with another compiler clang++ builds it directly.
set(bitmap_check_fuzz_sources ${bitmap_check_sources} ${BITMAP_CHECK_DIR}/bitmap_check_fuzz.cpp)
set(bitmap_check_fuzz_flags -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_executable(bitmap_check_fuzz ${bitmap_check_fuzz_sources})
  target_include_directories(bitmap_check_fuzz PRIVATE ${TARNWELL_ROOT}/src)
  target_compile_options(bitmap_check_fuzz PRIVATE ${bitmap_check_fuzz_flags})
  target_link_options(bitmap_check_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
else()
  find_program(BITMAP_CHECK_CLANGXX NAMES clang++ clang++-14)
  if(BITMAP_CHECK_CLANGXX)
    set(bitmap_check_fuzz_objects)
    foreach(source ${bitmap_check_fuzz_sources})
      get_filename_component(name ${source} NAME_WE)
      set(object ${CMAKE_BINARY_DIR}/bitmap_check_fuzz.dir/${name}.o)
      add_custom_command(
        OUTPUT ${object}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bitmap_check_fuzz.dir
        COMMAND ${BITMAP_CHECK_CLANGXX} ${bitmap_check_fuzz_flags} -I${TARNWELL_ROOT}/src -c ${source} -o ${object}
        DEPENDS ${source} ${TARNWELL_ROOT}/src/files/bitmap_layout.h ${TARNWELL_ROOT}/src/vdu/graphics_rules.h
        VERBATIM)
      list(APPEND bitmap_check_fuzz_objects ${object})
    endforeach()
    add_custom_command(
      OUTPUT ${CMAKE_BINARY_DIR}/bitmap_check_fuzz
      COMMAND ${BITMAP_CHECK_CLANGXX} -fsanitize=fuzzer,address,undefined ${bitmap_check_fuzz_objects}
              -o ${CMAKE_BINARY_DIR}/bitmap_check_fuzz
      DEPENDS ${bitmap_check_fuzz_objects}
      COMMENT "Linking the bitmap check fuzz target with clang"
      VERBATIM)
    add_custom_target(bitmap_check_fuzz_build ALL DEPENDS ${CMAKE_BINARY_DIR}/bitmap_check_fuzz)
  endif()
endif()
