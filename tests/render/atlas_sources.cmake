# Tests of the atlas rectangles.
target_sources(kubrix_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/atlas_test.cpp)
