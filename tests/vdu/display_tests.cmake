# The display window: its rules on their own, and the window driven by real messages.
tarnwell_test(display_rules_test vdu/display_rules_test.cpp)
add_library(test_clipboard STATIC vdu/test_clipboard.cpp)
tarnwell_test(display_window_test vdu/display_window_test.cpp vdu/display_echo_test.cpp vdu/display_window_fixture.cpp)
target_link_libraries(display_window_test PRIVATE test_clipboard)

# Real keys and mouse actions (xdotool) and the hardcopy on LPT1, in a Wine prefix of its own.
add_executable(display_input_test vdu/display_input_test.cpp)
target_link_libraries(display_input_test PRIVATE vdu_client test_clipboard GTest::gtest_main)
target_compile_options(display_input_test PRIVATE -Wall -Wextra)
add_test(NAME display_input_test
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/vdu/display_input_test.sh $<TARGET_FILE:display_input_test>
          ${CMAKE_CURRENT_BINARY_DIR}/display_input_test.work)

# Copy and paste: the rules on their own.
tarnwell_test(clipboard_rules_test vdu/clipboard_rules_test.cpp)
