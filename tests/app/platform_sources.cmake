# Tests of the window and the Qt seams, under Xvfb.
target_sources(kubrix_platform_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qt_settings_store_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_messages_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_menu_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_dialogs_test.cpp
)
find_package(Qt6 REQUIRED COMPONENTS Test)
target_sources(kubrix_platform_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/mouse_play_test.cpp)
target_link_libraries(kubrix_platform_tests PRIVATE Qt6::Test)
