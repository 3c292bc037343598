target_sources(tarnwell_host PRIVATE ${CMAKE_CURRENT_LIST_DIR}/vdu_graphics.cpp)
