# The installer's LHA decoder built for the build machine: a library, the lha_extract tool
# (benchmarks, cross-checks), its unit tests and, with clang, a libFuzzer target.
set(LHA_SOURCE_DIR ${TARNWELL_ROOT}/src/installer/lha)
set(LHA_TEST_DIR ${TARNWELL_ROOT}/tests/installer/lha)
set(lha_decoder_sources
  ${LHA_SOURCE_DIR}/lha_block_tables.cpp
  ${LHA_SOURCE_DIR}/lha_decoder.cpp
  ${LHA_SOURCE_DIR}/lha_extended_header.cpp
  ${LHA_SOURCE_DIR}/lha_extract.cpp
  ${LHA_SOURCE_DIR}/lha_header.cpp
  ${LHA_SOURCE_DIR}/lha_huffman.cpp
  ${LHA_SOURCE_DIR}/lha_member_output.cpp
  ${LHA_SOURCE_DIR}/lha_member_time.cpp
  ${LHA_SOURCE_DIR}/lha_path.cpp
  ${LHA_SOURCE_DIR}/lha_progress.cpp
  ${LHA_SOURCE_DIR}/lzh_decoder.cpp)

add_library(lha_decoder STATIC ${lha_decoder_sources} ${LHA_SOURCE_DIR}/posix/posix_file_system.cpp)
target_link_libraries(lha_decoder PUBLIC lha_crc)
target_compile_options(lha_decoder PRIVATE -Wall -Wextra -O2)

add_executable(lha_extract ${LHA_SOURCE_DIR}/posix/lha_extract_main.cpp)
target_link_libraries(lha_extract PRIVATE lha_decoder)

# Test helpers shared by the unit tests and the fuzz target.
set(lha_test_support
  ${LHA_TEST_DIR}/archive_builder.cpp
  ${LHA_TEST_DIR}/lzh_test_encoder.cpp
  ${LHA_TEST_DIR}/memory_file_system.cpp)

# The unit tests run against a copy of the decoder built with AddressSanitizer and
# UndefinedBehaviorSanitizer where the compiler has them, so that every read or write out of
# bounds on the damaged inputs of the tests fails them.
include(CheckCXXSourceCompiles)
set(lha_sanitize -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
set(CMAKE_REQUIRED_FLAGS "${lha_sanitize}")
set(CMAKE_REQUIRED_LINK_OPTIONS ${lha_sanitize})
check_cxx_source_compiles("int main() { return 0; }" LHA_HAVE_SANITIZERS)
unset(CMAKE_REQUIRED_FLAGS)
unset(CMAKE_REQUIRED_LINK_OPTIONS)
add_library(lha_decoder_checked STATIC ${lha_decoder_sources} ${LHA_SOURCE_DIR}/posix/posix_file_system.cpp
                                       ${TARNWELL_ROOT}/src/installer/lha/lha_crc.cpp)
target_include_directories(lha_decoder_checked PUBLIC ${TARNWELL_ROOT}/src)
target_compile_options(lha_decoder_checked PRIVATE -Wall -Wextra -g -O1)
if(LHA_HAVE_SANITIZERS)
  target_compile_options(lha_decoder_checked PUBLIC ${lha_sanitize})
  target_link_options(lha_decoder_checked PUBLIC ${lha_sanitize})
endif()

add_executable(lha_decoder_tests
  ${lha_test_support}
  ${LHA_TEST_DIR}/file_system_contract.cpp
  ${LHA_TEST_DIR}/lha_extract_test.cpp
  ${LHA_TEST_DIR}/lha_header_test.cpp
  ${LHA_TEST_DIR}/lha_path_test.cpp
  ${LHA_TEST_DIR}/lzh_decoder_test.cpp
  ${LHA_TEST_DIR}/posix_file_system_test.cpp
  ${TARNWELL_ROOT}/src/installer/twlsetup/pe_image_end.cpp
  ${LHA_TEST_DIR}/pe_image_end_test.cpp)
target_include_directories(lha_decoder_tests PRIVATE ${LHA_TEST_DIR})
target_link_libraries(lha_decoder_tests PRIVATE lha_decoder_checked GTest::gtest_main)
target_compile_options(lha_decoder_tests PRIVATE -Wall -Wextra)
add_test(NAME lha_decoder_tests COMMAND lha_decoder_tests)

# The fuzz target of the decoder, on an in-memory file system.
file(GLOB lha_headers CONFIGURE_DEPENDS ${LHA_SOURCE_DIR}/*.h ${LHA_TEST_DIR}/*.h)
tarnwell_fuzz_target(lha_fuzz
  SOURCES ${lha_decoder_sources} ${TARNWELL_ROOT}/src/installer/lha/lha_crc.cpp
          ${LHA_TEST_DIR}/memory_file_system.cpp ${LHA_TEST_DIR}/lha_fuzz.cpp
  INCLUDES ${TARNWELL_ROOT}/src ${LHA_TEST_DIR}
  HEADERS ${lha_headers})
