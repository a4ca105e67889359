# The board and the rules of play.
target_sources(kubrix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/board.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game.cpp
  ${CMAKE_CURRENT_LIST_DIR}/face_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bomb_hint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/levels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tutorial_layout.cpp
)
