# Tests of skin packages, the store, scripts, the compiler and kubrix-skin.
target_sources(kubrix_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/skin_package_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_script_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_script_compiler_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_store_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_tool_test.cpp
)
target_link_libraries(kubrix_core_tests PRIVATE kubrix_skin_tool)
