# Tests of the OpenGL renderer, under Xvfb.
target_sources(kubrix_platform_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/glu_image_resampler_test.cpp
)
target_link_libraries(kubrix_platform_tests PRIVATE Qt6::Gui)
find_package(Qt6 REQUIRED COMPONENTS OpenGL)
target_sources(kubrix_platform_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/scene_renderer_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/overlay_drawer_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_set_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picker_test.cpp
)
target_link_libraries(kubrix_platform_tests PRIVATE Qt6::OpenGL)
