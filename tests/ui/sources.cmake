# Tests of the update check.
target_sources(kubrix_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/update_check_test.cpp
)
