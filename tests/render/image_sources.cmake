# Tests of the BMP reader and packed images.
target_sources(kubrix_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bmp_reader_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/packed_image_test.cpp
)
