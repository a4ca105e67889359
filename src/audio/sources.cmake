# The wave reader, in the core.
target_sources(kubrix_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/wave_reader.cpp)
