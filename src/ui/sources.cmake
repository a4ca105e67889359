# The update check.
target_sources(kubrix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/update_check.cpp
)
