# Skin packages, the skin store and the skin script compiler.
target_sources(kubrix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/skin_package.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_script.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_script_compiler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_installer.cpp
)
