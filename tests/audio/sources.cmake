# Tests of the wave reader and the default skin's sounds.
target_sources(kubrix_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/wave_reader_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_synth_test.cpp
  # The default skin's sounds are made by the build's art generator; their tests run here.
  ${CMAKE_SOURCE_DIR}/tools/skin_art/sound_synth.cpp
)
target_include_directories(kubrix_core_tests PRIVATE ${CMAKE_SOURCE_DIR}/tools)
