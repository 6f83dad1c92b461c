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

bw_gui_test(order_list_test gui/order_list_test.cpp)
bw_gui_test(basic_page_test gui/basic_page_test.cpp)
bw_gui_test(version_input_test gui/version_input_test.cpp)
bw_gui_test(base_option_test gui/base_option_test.cpp)
bw_gui_test(about_box_test gui/about_box_test.cpp)
bw_gui_test(test_new_project gui/test_new_project.cpp)
bw_gui_test(long_text_page_test gui/long_text_page_test.cpp)
target_compile_definitions(long_text_page_test PRIVATE BW_DATA_DIR="${PROJECT_SOURCE_DIR}/data")

# Not tests: programs that take pictures of the windows for docs/screenshots/
# (scripts/screenshots.sh runs them all under a virtual X server).
function(bw_screenshot_program name)
  add_executable(${name} EXCLUDE_FROM_ALL ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/gui/support)
  target_link_libraries(${name} PRIVATE bwgui Qt6::Test)
endfunction()
bw_screenshot_program(main_screenshots gui/main_screenshots.cpp)
bw_screenshot_program(basic_screenshots gui/basic_screenshots.cpp)
bw_screenshot_program(long_text_screenshots gui/long_text_screenshots.cpp)
bw_screenshot_program(wizard_screenshots gui/wizard_screenshots.cpp)
