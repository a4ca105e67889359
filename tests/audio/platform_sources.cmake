# The sound tests: real OpenAL Soft writing its mix to a file that the tests read back.
add_executable(kubrix_sound_tests
  ${CMAKE_CURRENT_LIST_DIR}/sound_test_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_system_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/first_paint_sound_test.cpp)
target_include_directories(kubrix_sound_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..
                                                      ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(kubrix_sound_tests PRIVATE kubrix_platform kubrix_default_skin Qt6::Widgets
                                                 GTest::gtest kubrix_warnings)
gtest_discover_tests(kubrix_sound_tests
  TEST_FILTER "SoundWave.*:FirstPaintSound.*"
  PROPERTIES TIMEOUT 60 ENVIRONMENT "ALSOFT_DRIVERS=null" RESOURCE_LOCK display
  DISCOVERY_TIMEOUT 60)
add_test(NAME SoundWithoutDevice.TheMessageAppearsOnceAndTheGameGoesOnSilent
  COMMAND kubrix_sound_tests --gtest_filter=SoundWithoutDevice.*)
set_tests_properties(SoundWithoutDevice.TheMessageAppearsOnceAndTheGameGoesOnSilent
  PROPERTIES TIMEOUT 60 ENVIRONMENT "ALSOFT_DRIVERS=no-such-driver")
