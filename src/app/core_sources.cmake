target_sources(kubrix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/window_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game_app.cpp
)
