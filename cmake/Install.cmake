# What `cmake --install` puts under the prefix: the program, its help file,
# its manual page, the icon in the hicolor theme, the desktop entry and the
# AppStream metadata.
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
# The manual page (French, like the program), compressed as Debian wants it;
# built with the program so that installing it needs no other target.
set(velloran_man_page ${CMAKE_CURRENT_BINARY_DIR}/velloran.1.gz)
add_custom_command(OUTPUT ${velloran_man_page}
  COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/data/velloran.1 ${velloran_man_page}
  DEPENDS ${PROJECT_SOURCE_DIR}/data/velloran.1
  VERBATIM)
add_custom_target(velloran_man_page DEPENDS ${velloran_man_page})
add_dependencies(velloran velloran_man_page)
install(FILES ${velloran_man_page} DESTINATION share/man/man1)

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION share/doc/velloran RENAME copyright)
