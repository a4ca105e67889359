# The OpenGL side of the renderer: GL and GLU from the system (Mesa on Linux).
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
if(NOT TARGET OpenGL::GLU)
  message(FATAL_ERROR "GLU was not found; install the GLU development package (libglu1-mesa-dev)")
endif()
target_sources(kubrix_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/glu_image_resampler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/render_context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_set.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board_drawer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mesh_drawer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/overlay_drawer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene_renderer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picker.cpp
)
target_link_libraries(kubrix_platform PUBLIC OpenGL::GL OpenGL::GLU Qt6::Gui)
