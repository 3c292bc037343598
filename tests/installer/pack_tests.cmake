# The LHA packer, built natively into ${TARNWELL_NATIVE_DIR}: its unit tests, and archives it makes
# tested and extracted by lhasa.
add_test(NAME lha_pack_unit COMMAND ${TARNWELL_NATIVE_DIR}/lha_pack_tests)
add_test(NAME lha_pack_lhasa
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/pack/lhasa_check.sh ${TARNWELL_NATIVE_DIR}/lha_pack
          ${CMAKE_CURRENT_BINARY_DIR}/lha_pack_lhasa.work)

# lha_pack.exe, the same packer built for Windows, under Wine: the same checks, and the
# self-extractor it writes with its built-in stub.
add_test(NAME lha_pack_exe_lhasa
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/pack/lhasa_check.sh $<TARGET_FILE:lha_pack_exe>
          ${CMAKE_CURRENT_BINARY_DIR}/lha_pack_exe_lhasa.work ${TARNWELL_WINE})
add_test(NAME lha_pack_exe_self_extractor
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/pack/self_extractor_check.sh $<TARGET_FILE:lha_pack_exe>
          ${TARNWELL_NATIVE_DIR}/lha_pack $<TARGET_FILE:twlsetup_stub>
          ${CMAKE_CURRENT_BINARY_DIR}/lha_pack_exe_self_extractor.work ${TARNWELL_WINE})
