# The window, its dialogs and the Qt implementations of the seams.
target_sources(kubrix_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qt_settings_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_probe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/c_main_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/custom_settings_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fastest_time_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/init_error_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_info_popup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_context.cpp
)
# The window classes are QObjects; the built-in skin is part of every program with a window.
find_package(Qt6 REQUIRED COMPONENTS OpenGLWidgets)
set_target_properties(kubrix_platform PROPERTIES AUTOMOC ON)
target_link_libraries(kubrix_platform PUBLIC Qt6::OpenGLWidgets kubrix_default_skin)
