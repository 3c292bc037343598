# The packer's portable sources, shared by the native build (tools/native/packer.cmake) and the
# Windows build lha_pack.exe (tools/CMakeLists.txt): the encoder, the archive layout and the
# command line. File I/O is file_io.cpp (POSIX) or file_io_win32.cpp, the entry point main.cpp.
set(lha_pack_core_sources
  ${CMAKE_CURRENT_LIST_DIR}/archive_member.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bit_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/block_split.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/folder_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/huffman.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lazy_parser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lh5_block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lh5_encoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lh5_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lha_header.cpp
  ${CMAKE_CURRENT_LIST_DIR}/match_finder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/member_path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stub_checksum.cpp
)
