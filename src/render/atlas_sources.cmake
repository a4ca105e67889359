# The atlas rectangles shared by the renderer and the art generator.
target_sources(kubrix_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/atlas.cpp)
