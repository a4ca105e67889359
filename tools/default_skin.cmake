# The built-in skin: the generated art and sounds compiled by the project's own skin compiler,
# then embedded in the program as the Qt resource ":/skins/Kubrix.KBS".
set(KUBRIX_DEFAULT_SKIN_PACKAGE ${KUBRIX_DEFAULT_SKIN_DIR}/Kubrix.KBS)
add_custom_command(
  OUTPUT ${KUBRIX_DEFAULT_SKIN_PACKAGE}
  COMMAND $<TARGET_FILE:kubrix-skin> compile ${KUBRIX_DEFAULT_SKIN_SCRIPT}
          --skin-dir ${KUBRIX_DEFAULT_SKIN_DIR}
  DEPENDS ${KUBRIX_DEFAULT_SKIN_FILES} kubrix-skin
  COMMENT "Compiling the built-in skin"
  VERBATIM)

add_library(kubrix_default_skin STATIC ${CMAKE_CURRENT_LIST_DIR}/default_skin/builtin_skin.cpp)
target_include_directories(kubrix_default_skin PUBLIC ${CMAKE_CURRENT_LIST_DIR}/default_skin)
target_link_libraries(kubrix_default_skin PUBLIC Qt6::Core PRIVATE kubrix_warnings)
qt_add_resources(kubrix_default_skin "default_skin"
  PREFIX "/skins"
  BASE ${KUBRIX_DEFAULT_SKIN_DIR}
  FILES ${KUBRIX_DEFAULT_SKIN_PACKAGE})
