# The example clients, worked from outside with the real keyboard and mouse.
if(TARGET hello_c)
  add_test(NAME hello_c_key_test
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/examples/hello_c_run.sh $<TARGET_FILE:hello_c>
            ${CMAKE_CURRENT_BINARY_DIR}/hello_c_key.work key)
  add_test(NAME hello_c_close_test
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/examples/hello_c_run.sh $<TARGET_FILE:hello_c>
            ${CMAKE_CURRENT_BINARY_DIR}/hello_c_close.work close)
  # Both drive the same display: one at a time.
  set_tests_properties(hello_c_key_test hello_c_close_test PROPERTIES RESOURCE_LOCK x_display)
endif()

# A client project outside the tree builds against an installed copy found with find_package.
add_test(NAME install_find_package_test
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/install/run.sh ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/install.scratch
          ${CMAKE_TOOLCHAIN_FILE})

# TWLDEMO.EXE, when its folder is there.
include(${CMAKE_CURRENT_LIST_DIR}/twldemo_tests.cmake)
