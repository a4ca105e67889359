target_sources(kubrix_platform_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/glu_image_resampler_test.cpp
)
target_link_libraries(kubrix_platform_tests PRIVATE Qt6::Gui)
