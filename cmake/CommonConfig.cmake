# Warnings and flags shared by every target of the project.
add_library(bw_common_flags INTERFACE)
target_compile_options(bw_common_flags INTERFACE -Wall -Wextra -pedantic)
target_compile_definitions(bw_common_flags INTERFACE
  $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)
if(BW_SANITIZE)
  target_compile_options(bw_common_flags INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(bw_common_flags INTERFACE -fsanitize=address,undefined)
  target_compile_definitions(bw_common_flags INTERFACE _GLIBCXX_ASSERTIONS)
endif()

# `cmake --build build --target format` keeps the tree formatted.
find_program(CLANG_FORMAT clang-format)
if(CLANG_FORMAT)
  file(GLOB_RECURSE BW_FORMAT_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
    ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
    ${PROJECT_SOURCE_DIR}/bench/*.cpp)
  add_custom_target(format COMMAND ${CLANG_FORMAT} -i ${BW_FORMAT_SOURCES})
endif()

# Fuzzing: instrument every library for coverage; the fuzz targets add the fuzzer's main.
if(BW_FUZZ)
  target_compile_options(bw_common_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(bw_common_flags INTERFACE -fsanitize=address,undefined)
  # Bounds checks of the standard library: ASan cannot see a read past a string_view that
  # stays inside its buffer.
  target_compile_definitions(bw_common_flags INTERFACE _GLIBCXX_ASSERTIONS)
endif()
