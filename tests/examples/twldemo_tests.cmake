# TWLDEMO.EXE: its pages driven under a running host, and the program itself driven from
# outside under Xvfb, with the real keyboard and mouse.
if(TARGET twldemo)
  tarnwell_test(twldemo_pages_test examples/twldemo_pages_test.cpp)
  target_link_libraries(twldemo_pages_test PRIVATE twldemo_client vdu_client)

  add_test(NAME twldemo_e2e_test
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/examples/twldemo_e2e.sh $<TARGET_FILE:twldemo> ${CMAKE_BINARY_DIR}
            ${CMAKE_CURRENT_BINARY_DIR}/twldemo_e2e.work)
  set_tests_properties(twldemo_e2e_test PROPERTIES RESOURCE_LOCK x_display)
endif()
