# The payload record tool: a payload file into the record that the installer carries.
add_executable(payload_record ${CMAKE_CURRENT_SOURCE_DIR}/payload_record/main.cpp
                              ${CMAKE_CURRENT_SOURCE_DIR}/payload_record/payload_record.cpp)
target_include_directories(payload_record PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})

add_executable(payload_record_tests ${CMAKE_CURRENT_SOURCE_DIR}/payload_record/payload_record_test.cpp
                                    ${CMAKE_CURRENT_SOURCE_DIR}/payload_record/payload_record.cpp)
target_include_directories(payload_record_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(payload_record_tests PRIVATE GTest::gtest_main)
