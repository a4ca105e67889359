# Tests of the render core.
target_sources(kubrix_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pick_hit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quaternion_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/camera_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/surface_mesh_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/triangle_arrays_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pick_culler_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_labels_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bomb_markers_test.cpp
)
