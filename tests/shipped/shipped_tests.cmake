# The programs as shipped: inspected as Windows sees them, and built twice for the same bytes.
set(shipped_programs $<TARGET_FILE:tarnwell> $<TARGET_FILE:twlsetup_stub> $<TARGET_FILE:hello_c>
                     $<TARGET_FILE:lha_pack_exe>)
if(TARGET twldemo)
  list(APPEND shipped_programs $<TARGET_FILE:twldemo>)
endif()
if(TARNWELL_PAYLOAD STREQUAL sample_payload)
  list(APPEND shipped_programs ${sample_payload})
endif()
add_test(NAME shipped_programs_test
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/pe_check.py --objdump ${CMAKE_OBJDUMP}
          --windres ${CMAKE_RC_COMPILER} --cc ${CMAKE_C_COMPILER} --minimum ${TARNWELL_MINIMUM_WINDOWS}
          --version ${PROJECT_VERSION} --versioned TARNWELL.EXE ${shipped_programs})

# Two full builds of TARNWELL.EXE: slow, so it has time of its own.
add_test(NAME reproducible_build_test
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/reproducible_build.sh ${PROJECT_SOURCE_DIR}
          ${CMAKE_CURRENT_BINARY_DIR}/reproducible_build.work)
set_tests_properties(reproducible_build_test PROPERTIES TIMEOUT 3600)
