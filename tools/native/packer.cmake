# The LHA packer: files into an LHA archive (level-2 headers, lh5 or stored), after a stub.
set(LHA_PACK_DIR ${TARNWELL_ROOT}/tools/lha_pack)

# The encoder and the archive layout, apart from any file I/O.
add_library(lha_pack_core STATIC
  ${LHA_PACK_DIR}/archive_member.cpp
  ${LHA_PACK_DIR}/bit_writer.cpp
  ${LHA_PACK_DIR}/block_split.cpp
  ${LHA_PACK_DIR}/command_line.cpp
  ${LHA_PACK_DIR}/huffman.cpp
  ${LHA_PACK_DIR}/lazy_parser.cpp
  ${LHA_PACK_DIR}/lh5_block.cpp
  ${LHA_PACK_DIR}/lh5_encoder.cpp
  ${LHA_PACK_DIR}/lh5_tables.cpp
  ${LHA_PACK_DIR}/lha_header.cpp
  ${LHA_PACK_DIR}/match_finder.cpp
  ${LHA_PACK_DIR}/member_path.cpp
)
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
)
target_link_libraries(lha_pack_tests PRIVATE lha_pack_core GTest::gtest_main)
target_compile_options(lha_pack_tests PRIVATE -Wall -Wextra -O2)
add_test(NAME lha_pack_tests COMMAND lha_pack_tests)
