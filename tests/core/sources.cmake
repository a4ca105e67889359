# Tests of the settings store.
target_sources(kubrix_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/settings_store_test.cpp
)
