# The application shell: its core half and its Qt half.
include(${CMAKE_CURRENT_LIST_DIR}/core_sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/platform_sources.cmake)
