target_sources(tarnwell_host PRIVATE ${CMAKE_CURRENT_LIST_DIR}/display_window.cpp)
