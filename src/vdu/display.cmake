target_sources(tarnwell_host PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/display_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_rules.cpp)
