target_sources(kubrix_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qt_settings_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_messages.cpp
)
