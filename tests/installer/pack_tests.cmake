# The LHA packer, built natively into ${TARNWELL_NATIVE_DIR}: its unit tests, and archives it makes
# tested and extracted by lhasa.
add_test(NAME lha_pack_unit COMMAND ${TARNWELL_NATIVE_DIR}/lha_pack_tests)
add_test(NAME lha_pack_lhasa
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/pack/lhasa_check.sh ${TARNWELL_NATIVE_DIR}/lha_pack
          ${CMAKE_CURRENT_BINARY_DIR}/lha_pack_lhasa.work)
