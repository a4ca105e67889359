# The BMP reader and the packed image form.
target_sources(kubrix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bmp_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/packed_image.cpp
)
