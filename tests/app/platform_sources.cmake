target_sources(kubrix_platform_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qt_settings_store_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_messages_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_menu_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_dialogs_test.cpp
)
