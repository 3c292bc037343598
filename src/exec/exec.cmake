target_sources(tarnwell_host PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/execute_service.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exec_startup.cpp)
