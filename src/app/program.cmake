# kubrix: the game itself, with its icon, and what `cmake --install` puts on the system.
include(GNUInstallDirs)

add_executable(kubrix ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(kubrix PRIVATE kubrix_platform kubrix_default_skin Qt6::Widgets
                                     Qt6::OpenGLWidgets kubrix_warnings)
set_target_properties(kubrix PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

# The icon is drawn at build time by the skin art generator (tools/skin_art), beside the skin's
# art; it becomes the resource ":/icons/kubrix.png", the windows' icon.
set(KUBRIX_ICON_FILE ${PROJECT_BINARY_DIR}/default_skin/kubrix.png)
set_source_files_properties(${KUBRIX_ICON_FILE} PROPERTIES GENERATED TRUE)
add_dependencies(kubrix kubrix_default_skin_art)
qt_add_resources(kubrix "icon"
  PREFIX "/icons"
  BASE ${PROJECT_BINARY_DIR}/default_skin
  FILES ${KUBRIX_ICON_FILE})

# The skin tool and the icon are made under tools/, which is read after this folder: the
# rules wait until the whole project is known.
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL
  install TARGETS kubrix kubrix-skin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kubrix.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KUBRIX_ICON_FILE}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
