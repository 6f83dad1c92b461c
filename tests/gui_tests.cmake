# QtTest tests of the windows, run offscreen; each test makes its own temporary program folder.
find_package(Qt6 REQUIRED COMPONENTS Test)

function(bw_gui_test name)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/gui/support)
  target_link_libraries(${name} PRIVATE bwgui Qt6::Test)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;TZ=Asia/Tokyo"
    TIMEOUT 120)
endfunction()

bw_gui_test(spin_edit_test gui/spin_edit_test.cpp)
bw_gui_test(main_window_test gui/main_window_test.cpp)
bw_gui_test(preview_page_test gui/preview_page_test.cpp)
bw_gui_test(readme_output_test gui/readme_output_test.cpp)
bw_gui_test(input_guard_test gui/input_guard_test.cpp)

