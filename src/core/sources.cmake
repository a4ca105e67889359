# The seams through which the rules reach the platform.
target_sources(kubrix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/system_clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/memory_settings_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/manual_reset_event.cpp
)
