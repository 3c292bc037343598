# The execute service: the start-up information on its own, and programs started through the
# service entry, with a small console program standing in for them.
tarnwell_test(exec_startup_test exec/exec_startup_test.cpp)
tarnwell_test(execute_service_test exec/execute_service_test.cpp)

add_executable(exec_child exec/exec_child.cpp)
add_custom_command(TARGET exec_child POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:exec_child> ${CMAKE_CURRENT_BINARY_DIR}/execute_service_test.work/)
add_executable(exec_host exec/exec_host.cpp)
target_link_libraries(exec_host PRIVATE tarnwell_host)
add_custom_command(TARGET exec_host POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:exec_host> ${CMAKE_CURRENT_BINARY_DIR}/execute_service_test.work/)
add_dependencies(execute_service_test exec_child exec_host)
set_tests_properties(execute_service_test PROPERTIES TIMEOUT 300)
