# tarnwell_fuzz_target(NAME SOURCES src... INCLUDES dir... HEADERS h...): a libFuzzer target
# with AddressSanitizer and UndefinedBehaviorSanitizer, written to ${CMAKE_BINARY_DIR}/NAME.
# libFuzzer needs clang: with another compiler clang++ builds it directly (one object per source,
# so the build runs them in parallel, then the link); without clang there is no target.
function(tarnwell_fuzz_target name)
  cmake_parse_arguments(FUZZ "" "" "SOURCES;INCLUDES;HEADERS" ${ARGN})
  set(flags -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_executable(${name} ${FUZZ_SOURCES})
    target_include_directories(${name} PRIVATE ${FUZZ_INCLUDES})
    target_compile_options(${name} PRIVATE ${flags})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    return()
  endif()
  find_program(TARNWELL_CLANGXX NAMES clang++ clang++-14)
  if(NOT TARNWELL_CLANGXX)
    return()
  endif()
  set(include_flags)
  foreach(dir ${FUZZ_INCLUDES})
    list(APPEND include_flags -I${dir})
  endforeach()
  set(objects)
  foreach(source ${FUZZ_SOURCES})
    get_filename_component(stem ${source} NAME_WE)
    set(object ${CMAKE_BINARY_DIR}/${name}.dir/${stem}.o)
    add_custom_command(
      OUTPUT ${object}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/${name}.dir
      COMMAND ${TARNWELL_CLANGXX} ${flags} ${include_flags} -c ${source} -o ${object}
      DEPENDS ${source} ${FUZZ_HEADERS}
      VERBATIM)
    list(APPEND objects ${object})
  endforeach()
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/${name}
    COMMAND ${TARNWELL_CLANGXX} -fsanitize=fuzzer,address,undefined ${objects} -o ${CMAKE_BINARY_DIR}/${name}
    DEPENDS ${objects}
    COMMENT "Linking the fuzz target ${name} with clang"
    VERBATIM)
  add_custom_target(${name}_build ALL DEPENDS ${CMAKE_BINARY_DIR}/${name})
endfunction()
