# bwgui (Qt Widgets, on top of bwcore) and the desktop program brindlewocket.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

set(CMAKE_AUTOMOC ON)

add_library(bwgui STATIC
  app/DialogService.cpp app/DialogService.h
  app/PageContext.h
  app/MAINForm.cpp app/MAINForm.h
  app/BasicPage.cpp app/BasicPage.h
  app/PreviewPage.cpp app/PreviewPage.h
  app/Startup.cpp app/Startup.h
  editing/LongTextPage.cpp editing/LongTextPage.h
  editing/SectionEditor.cpp editing/SectionEditor.h
  editing/TemplateListBox.cpp editing/TemplateListBox.h
  editing/InputHistoryForm.cpp editing/InputHistoryForm.h
  editing/EntryEdits.cpp editing/EntryEdits.h
  editing/OrderListBox.cpp editing/OrderListBox.h
  editing/VersionInputForm.cpp editing/VersionInputForm.h
  controls/Beep.cpp controls/Beep.h
  controls/Cp932InputGuard.cpp controls/Cp932InputGuard.h
  controls/Fonts.cpp controls/Fonts.h
  controls/WinSpinEdit.cpp controls/WinSpinEdit.h
  controls/XPGroupBox.h
  shell/OutputReadMeForm.cpp shell/OutputReadMeForm.h
  shell/BaseOptionForm.cpp shell/BaseOptionForm.h
  shell/AboutForm.cpp shell/AboutForm.h
  shell/readme_output.cpp shell/readme_output.h
  shell/user_layouts.cpp shell/user_layouts.h
  project/NewProjectForm.cpp project/NewProjectForm.h
)
qt_add_resources(bwgui_resources app/brindlewocket.qrc)
target_sources(bwgui PRIVATE ${bwgui_resources})
target_include_directories(bwgui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(bwgui PUBLIC bwcore Qt6::Widgets bw_common_flags)
# Every Japanese literal becomes a QString on purpose (QStringLiteral), never by accident.
target_compile_definitions(bwgui PUBLIC QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)

add_executable(brindlewocket app/main.cpp)
target_link_libraries(brindlewocket PRIVATE bwgui)

# Portable layout: everything side by side in the install root.
install(TARGETS brindlewocket RUNTIME DESTINATION .)
if(EXISTS ${PROJECT_SOURCE_DIR}/data/template)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/template/ DESTINATION template)
endif()
if(EXISTS ${PROJECT_SOURCE_DIR}/data/ReadMe.txt)
  install(FILES ${PROJECT_SOURCE_DIR}/data/ReadMe.txt DESTINATION .)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/data/brindlewocket.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/brindlewocket-256.png DESTINATION share/icons/hicolor/256x256/apps
        RENAME brindlewocket.png)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/brindlewocket.svg DESTINATION share/icons/hicolor/scalable/apps)
