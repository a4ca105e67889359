# The OpenAL half of sound.
find_package(OpenAL REQUIRED)
target_sources(kubrix_platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sound_system.cpp)
target_link_libraries(kubrix_platform PUBLIC OpenAL::OpenAL)
