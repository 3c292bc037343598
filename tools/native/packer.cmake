# The LHA packer: files into an LHA archive (level-2 headers, lh5 or stored), after a stub.
set(LHA_PACK_DIR ${TARNWELL_ROOT}/tools/lha_pack)

# The encoder and the archive layout, apart from any file I/O.
include(${LHA_PACK_DIR}/sources.cmake)
add_library(lha_pack_core STATIC ${lha_pack_core_sources})
target_include_directories(lha_pack_core PUBLIC ${TARNWELL_ROOT}/tools)
target_link_libraries(lha_pack_core PUBLIC lha_crc)
# Optimised in every build type: the packer runs on every build of the installer.
target_compile_options(lha_pack_core PRIVATE -Wall -Wextra -O2)

add_executable(lha_pack ${LHA_PACK_DIR}/main.cpp ${LHA_PACK_DIR}/file_io.cpp)
target_link_libraries(lha_pack PRIVATE lha_pack_core)
target_compile_options(lha_pack PRIVATE -Wall -Wextra)

add_executable(lha_pack_tests
  ${LHA_PACK_DIR}/tests/lh5_test_decoder.cpp
  ${LHA_PACK_DIR}/tests/bit_writer_test.cpp
  ${LHA_PACK_DIR}/tests/huffman_test.cpp
  ${LHA_PACK_DIR}/tests/lh5_tables_test.cpp
  ${LHA_PACK_DIR}/tests/match_finder_test.cpp
  ${LHA_PACK_DIR}/tests/lh5_encoder_test.cpp
  ${LHA_PACK_DIR}/tests/lha_header_test.cpp
  ${LHA_PACK_DIR}/tests/archive_member_test.cpp
  ${LHA_PACK_DIR}/tests/arguments_test.cpp
  ${LHA_PACK_DIR}/tests/stub_checksum_test.cpp
)
target_link_libraries(lha_pack_tests PRIVATE lha_pack_core GTest::gtest_main)
target_compile_options(lha_pack_tests PRIVATE -Wall -Wextra -O2)
add_test(NAME lha_pack_tests COMMAND lha_pack_tests)
