# The installer: its thread and extraction, the payload record built into the program, and
# TARNWELL.EXE itself.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

add_library(tarnwell_installer STATIC
  ${CMAKE_CURRENT_LIST_DIR}/install_decision.cpp
  ${CMAKE_CURRENT_LIST_DIR}/extraction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/target_folder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/twlsetup/win32_paths.cpp)
target_link_libraries(tarnwell_installer PUBLIC tarnwell_host)
target_compile_options(tarnwell_installer PRIVATE -Wall -Wextra)

# The sample payload: the product files of payload/, a generated data file, packed behind the
# self-extracting stub.
set(sample_payload ${CMAKE_BINARY_DIR}/payload/TWLSETUP.EXE)
set(TARNWELL_PAYLOAD ${sample_payload} CACHE FILEPATH "Payload program carried by TARNWELL.EXE (an 8.3 name ending in .EXE)")

get_filename_component(payload_name "${TARNWELL_PAYLOAD}" NAME)
if(NOT payload_name MATCHES "^[A-Za-z0-9_~!#%&'@^()-]+\\.[Ee][Xx][Ee]$")
  message(FATAL_ERROR "TARNWELL_PAYLOAD: \"${payload_name}\" is not an 8.3 file name ending in .EXE")
endif()
string(REGEX REPLACE "\\.[Ee][Xx][Ee]$" "" payload_base "${payload_name}")
string(LENGTH "${payload_base}" payload_base_length)
if(payload_base_length GREATER 8)
  message(FATAL_ERROR "TARNWELL_PAYLOAD: \"${payload_name}\" has more than 8 characters before .EXE")
endif()

if(TARNWELL_PAYLOAD STREQUAL sample_payload)
  set(stage ${CMAKE_BINARY_DIR}/payload/stage)
  file(GLOB_RECURSE product_files RELATIVE ${PROJECT_SOURCE_DIR}/payload ${PROJECT_SOURCE_DIR}/payload/*)
  set(product_sources)
  set(staged_files)
  foreach(f ${product_files})
    list(APPEND product_sources ${PROJECT_SOURCE_DIR}/payload/${f})
    list(APPEND staged_files ${stage}/${f})
  endforeach()
  list(APPEND staged_files ${stage}/DATA/SAMPLES.DAT)
  # The staged files carry the times of their sources, so that the payload is the same in
  # every build of a commit.
  add_custom_command(
    OUTPUT ${sample_payload}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/stage_payload.py ${PROJECT_SOURCE_DIR}/payload ${stage}
            ${PROJECT_SOURCE_DIR}/tools/make_sample_data.py DATA/SAMPLES.DAT
    COMMAND ${TARNWELL_NATIVE_DIR}/lha_pack --stub $<TARGET_FILE:twlsetup_stub> --output ${sample_payload}
            --base ${stage} ${staged_files}
    DEPENDS native_tools ${TARNWELL_NATIVE_DIR}/lha_pack twlsetup_stub ${product_sources}
            ${PROJECT_SOURCE_DIR}/tools/stage_payload.py ${PROJECT_SOURCE_DIR}/tools/make_sample_data.py
    COMMENT "Packing the sample payload")
endif()

# The record, from the payload file, and the number of bytes the extraction writes.
set(record_dir ${CMAKE_BINARY_DIR}/payload_record)
set(TARNWELL_RECORD_FILE ${record_dir}/payload_record.bin)
add_custom_command(
  OUTPUT ${TARNWELL_RECORD_FILE} ${record_dir}/payload_record.h
  COMMAND ${CMAKE_COMMAND} -E make_directory ${record_dir}
  COMMAND ${TARNWELL_NATIVE_DIR}/payload_record ${TARNWELL_PAYLOAD} ${TARNWELL_RECORD_FILE}
          ${record_dir}/payload_record.h
  DEPENDS native_tools ${TARNWELL_NATIVE_DIR}/payload_record ${TARNWELL_PAYLOAD}
  COMMENT "Making the payload record")
configure_file(${CMAKE_CURRENT_LIST_DIR}/payload_record.S.in ${record_dir}/payload_record.S @ONLY)
set_source_files_properties(${record_dir}/payload_record.S PROPERTIES OBJECT_DEPENDS ${TARNWELL_RECORD_FILE})

# The version information and the window icon (drawn by tools/make_art.py) as resources.
set(program_icon ${CMAKE_BINARY_DIR}/TARNWELL.ICO)
configure_file(${PROJECT_SOURCE_DIR}/src/resources/tarnwell.rc.in ${CMAKE_BINARY_DIR}/resources/tarnwell.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/resources/tarnwell.rc PROPERTIES OBJECT_DEPENDS ${program_icon})

add_executable(tarnwell WIN32
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/installer_thread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/embedded_payload.cpp
  ${record_dir}/payload_record.S
  ${record_dir}/payload_record.h
  ${CMAKE_BINARY_DIR}/resources/tarnwell.rc)
set_target_properties(tarnwell PROPERTIES OUTPUT_NAME TARNWELL SUFFIX .EXE)
target_include_directories(tarnwell PRIVATE ${record_dir})
target_link_libraries(tarnwell PRIVATE tarnwell_installer tarnwell_program)
target_compile_options(tarnwell PRIVATE -Wall -Wextra)
add_dependencies(tarnwell tarnwell_art)
