# The payload record tool: a payload file into the record that the installer carries.
add_executable(payload_record ${CMAKE_CURRENT_SOURCE_DIR}/payload_record/main.cpp
                              ${CMAKE_CURRENT_SOURCE_DIR}/payload_record/payload_record.cpp)
target_include_directories(payload_record PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
