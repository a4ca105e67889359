# Tests of the statistics.
target_sources(kubrix_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/statistics_test.cpp
)
