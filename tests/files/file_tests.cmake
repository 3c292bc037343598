# The file service: its rules on their own, and requests through the service entry in a
# scratch folder, with a second program sharing a file for the locks between processes.
tarnwell_test(file_rules_test files/file_rules_test.cpp)
tarnwell_test(file_service_test files/file_service_test.cpp)

add_executable(file_lock_probe files/file_lock_probe.cpp)
target_link_libraries(file_lock_probe PRIVATE tarnwell_host)
add_custom_command(TARGET file_lock_probe POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:file_lock_probe> ${CMAKE_CURRENT_BINARY_DIR}/file_service_test.work/)
add_dependencies(file_service_test file_lock_probe)
set_tests_properties(file_service_test PROPERTIES TIMEOUT 300)
