target_sources(tarnwell_host PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/file_viewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/viewer_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/viewer_read.cpp
  ${CMAKE_CURRENT_LIST_DIR}/document_launcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/launcher_command.cpp)
