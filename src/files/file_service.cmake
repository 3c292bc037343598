target_sources(tarnwell_host PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/file_service.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_operations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_client_text.cpp)
