# The LHA decoder and TWLSTUB, the self-extracting program that the packer turns into
# TWLSETUP.EXE by appending an archive.
set(twl_lha_dir ${PROJECT_SOURCE_DIR}/src/installer/lha)
add_library(tarnwell_lha STATIC
  ${twl_lha_dir}/lha_block_tables.cpp
  ${twl_lha_dir}/lha_crc.cpp
  ${twl_lha_dir}/lha_decoder.cpp
  ${twl_lha_dir}/lha_extended_header.cpp
  ${twl_lha_dir}/lha_extract.cpp
  ${twl_lha_dir}/lha_header.cpp
  ${twl_lha_dir}/lha_huffman.cpp
  ${twl_lha_dir}/lha_member_output.cpp
  ${twl_lha_dir}/lha_member_time.cpp
  ${twl_lha_dir}/lha_path.cpp
  ${twl_lha_dir}/lha_progress.cpp
  ${twl_lha_dir}/lzh_decoder.cpp
)
target_include_directories(tarnwell_lha PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_options(tarnwell_lha PRIVATE -Wall -Wextra -O2)

set(twl_stub_dir ${PROJECT_SOURCE_DIR}/src/installer/twlsetup)
add_executable(twlsetup_stub
  ${twl_stub_dir}/main.cpp
  ${twl_stub_dir}/pe_image_end.cpp
  ${twl_stub_dir}/self_image.cpp
  ${twl_stub_dir}/win32_file_system.cpp
  ${twl_stub_dir}/win32_paths.cpp
  ${PROJECT_SOURCE_DIR}/src/host/system_library.cpp
)
set(twl_stub_file ${CMAKE_BINARY_DIR}/TWLSTUB.exe)
set_target_properties(twlsetup_stub PROPERTIES OUTPUT_NAME TWLSTUB RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_link_libraries(twlsetup_stub PRIVATE tarnwell_lha tarnwell_program)
target_compile_options(twlsetup_stub PRIVATE -Wall -Wextra)
# Static and stripped (tarnwell_program): no DLLs but Windows' own, and nothing after the last
# section but the archive that gets appended.
target_link_options(twlsetup_stub PRIVATE -static -static-libgcc -static-libstdc++)
