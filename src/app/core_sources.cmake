# The application's rules that need no window: start-up, placement, frame timing, mouse rules.
target_sources(kubrix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/mouse_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game_app.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_loop.cpp
)
