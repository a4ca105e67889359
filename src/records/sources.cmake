# The lifetime statistics.
target_sources(kubrix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/statistics.cpp
)
