# The LHA decoder and the self-extracting stub: decoder tests cross-built and run under Wine,
# the same tests built natively, cross-checks against jlha, a short fuzz run, the stub itself
# with an archive appended, and hostile archives through both.
set(lha_test_dir ${CMAKE_CURRENT_SOURCE_DIR}/installer/lha)
tarnwell_test(lha_decoder_test
  ${lha_test_dir}/archive_builder.cpp
  ${lha_test_dir}/file_system_contract.cpp
  ${lha_test_dir}/lha_extract_test.cpp
  ${lha_test_dir}/lha_header_test.cpp
  ${lha_test_dir}/lha_path_test.cpp
  ${lha_test_dir}/lzh_decoder_test.cpp
  ${lha_test_dir}/lzh_test_encoder.cpp
  ${lha_test_dir}/memory_file_system.cpp
  ${lha_test_dir}/pe_image_end_test.cpp
  ${lha_test_dir}/win32_file_system_test.cpp
  ${PROJECT_SOURCE_DIR}/src/installer/twlsetup/pe_image_end.cpp
  ${PROJECT_SOURCE_DIR}/src/installer/twlsetup/self_image.cpp
  ${PROJECT_SOURCE_DIR}/src/installer/twlsetup/win32_file_system.cpp
  ${PROJECT_SOURCE_DIR}/src/installer/twlsetup/win32_paths.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/common/symbolic_link.cpp)
target_link_libraries(lha_decoder_test PRIVATE tarnwell_lha)
target_include_directories(lha_decoder_test PRIVATE ${lha_test_dir} ${CMAKE_CURRENT_SOURCE_DIR}/common)

add_test(NAME lha_decoder_native_test COMMAND ${TARNWELL_NATIVE_DIR}/lha_decoder_tests)

add_test(NAME lha_jlha_crosscheck_test
  COMMAND ${lha_test_dir}/jlha_crosscheck.sh ${TARNWELL_NATIVE_DIR}/lha_extract
          ${CMAKE_CURRENT_BINARY_DIR}/lha_jlha_crosscheck.work)

# Skipped when no clang was found for the fuzz target.
add_test(NAME lha_fuzz_smoke_test
  COMMAND ${PROJECT_SOURCE_DIR}/tests/common/fuzz_smoke.sh ${TARNWELL_NATIVE_DIR}/lha_fuzz
          ${CMAKE_CURRENT_BINARY_DIR}/lha_fuzz_smoke.work ${lha_test_dir}/make_fuzz_seeds.sh 8192)
set_tests_properties(lha_fuzz_smoke_test PROPERTIES SKIP_RETURN_CODE 77)

add_test(NAME twlsetup_stub_test
  COMMAND ${lha_test_dir}/stub_test.sh $<TARGET_FILE:twlsetup_stub> ${CMAKE_CURRENT_BINARY_DIR}/twlsetup_stub.work
          ${TARNWELL_WINE})

# Hand-made hostile archives (links placed beforehand, impossible dates, a 300-level tree, taken
# temporary names, ...) through the native build and through the stub under Wine.
add_test(NAME lha_hostile_native_test
  COMMAND ${lha_test_dir}/hostile_archives_test.sh native ${TARNWELL_NATIVE_DIR}/lha_extract
          ${CMAKE_CURRENT_BINARY_DIR}/lha_hostile_native.work)
add_test(NAME lha_hostile_stub_test
  COMMAND ${lha_test_dir}/hostile_archives_test.sh stub $<TARGET_FILE:twlsetup_stub>
          ${CMAKE_CURRENT_BINARY_DIR}/lha_hostile_stub.work ${TARNWELL_WINE})
