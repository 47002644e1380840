# What `cmake --install` puts under the prefix: the program, its help file,
# the icon in the hicolor theme, the desktop entry and the AppStream metadata.
#
# The layout is fixed (bin/, share/) rather than taken from GNUInstallDirs:
# the help service finds the help file at ../share/velloran/ from the
# program's folder, so the two folders must keep that relation.

# Folders made by the install are world-readable whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS velloran RUNTIME DESTINATION bin)

# Data stays out of bin/: the help service also looks in share/velloran/.
install(FILES ${PROJECT_SOURCE_DIR}/src/help/velloran.hlp DESTINATION share/velloran)

foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/src/res/icons/velloran-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME velloran.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/src/res/icons/velloran.svg DESTINATION share/icons/hicolor/scalable/apps)

install(FILES ${PROJECT_SOURCE_DIR}/data/velloran.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/velloran.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION share/doc/velloran RENAME copyright)
