target_sources(tarnwell_host PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/vdu_graphics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graphics_bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graphics_rules.cpp)
