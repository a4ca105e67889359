# Tests of the board and the rules.
target_sources(kubrix_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/board_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/levels_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game_rules_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game_preferences_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/face_state_test.cpp
)
