# Tests of the application rules that need no window.
target_sources(kubrix_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/mouse_input_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_placement_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game_app_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_loop_test.cpp
)
