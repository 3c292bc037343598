target_sources(tarnwell_host PRIVATE ${CMAKE_CURRENT_LIST_DIR}/file_service.cpp)
