# The file viewer and the document launcher.
tarnwell_test(viewer_rules_test vdu/viewer_page_test.cpp vdu/launcher_command_test.cpp)
tarnwell_test(viewer_pass_test vdu/viewer_pass_test.cpp vdu/viewer_fixture.cpp vdu/viewer_box_counter.cpp)
target_link_libraries(viewer_pass_test PRIVATE vdu_client)
tarnwell_test(viewer_shared_handle_test vdu/viewer_shared_handle_test.cpp vdu/viewer_fixture.cpp vdu/viewer_box_counter.cpp)
target_link_libraries(viewer_shared_handle_test PRIVATE vdu_client)

# The launcher starting processes; the recorder stands in for the programs it starts.
add_executable(launcher_recorder vdu/launcher_recorder.cpp)
target_link_options(launcher_recorder PRIVATE -static -static-libgcc -static-libstdc++)
tarnwell_test(launcher_start_test vdu/launcher_start_test.cpp)
add_dependencies(launcher_start_test launcher_recorder)
