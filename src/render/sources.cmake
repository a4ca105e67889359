# The render core: view arithmetic, the mesh and its drawable lists, picking helpers.
target_sources(kubrix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pick_hit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quaternion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/camera.cpp
  ${CMAKE_CURRENT_LIST_DIR}/surface_mesh.cpp
  ${CMAKE_CURRENT_LIST_DIR}/triangle_arrays.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pick_culler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_labels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bomb_markers.cpp
)
