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

# Not a test: pictures of the basic-items page and the small dialogs (scripts/basic-screenshots.sh).
add_executable(basic_screenshots gui/basic_screenshots.cpp)
target_include_directories(basic_screenshots PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/gui/support)
target_link_libraries(basic_screenshots PRIVATE bwgui Qt6::Test)

# Not a test: pictures of the main window, its menus and the output dialog (scripts/screenshots.sh).
add_executable(main_screenshots EXCLUDE_FROM_ALL gui/main_screenshots.cpp)
target_include_directories(main_screenshots PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/gui/support)
target_link_libraries(main_screenshots PRIVATE bwgui Qt6::Test)

# Not a test: pictures of the new-project wizard and the management window (scripts/wizard-screenshots.sh).
add_executable(wizard_screenshots EXCLUDE_FROM_ALL gui/wizard_screenshots.cpp)
target_include_directories(wizard_screenshots PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/gui/support)
target_link_libraries(wizard_screenshots PRIVATE bwgui Qt6::Test)

# Not a test: pictures of the long-text page and the history dialog (scripts/long-text-screenshots.sh).
add_executable(long_text_screenshots EXCLUDE_FROM_ALL gui/long_text_screenshots.cpp)
target_include_directories(long_text_screenshots PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/gui/support)
target_link_libraries(long_text_screenshots PRIVATE bwgui Qt6::Test)
