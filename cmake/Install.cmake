# `make install` (PREFIX, default /usr/local; DESTDIR honoured): the program's folder under
# PREFIX/share/pibo2, marked as installed so the game keeps its own files in the player's data
# folder; a launcher PREFIX/bin/pibo2; the desktop entry, the icons and the AppStream metadata.
# The developer tools stay in the build.
set(APP_ID io.github.piboii.PiboII)
set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
add_custom_command(
  OUTPUT ${ICON_DIR}/256x256/apps/${APP_ID}.png
  COMMAND pibo-assets --icons ${ICON_DIR} ${APP_ID}
  DEPENDS pibo-assets ${CMAKE_SOURCE_DIR}/tools/asset_gen/pictures/icons.cpp
  COMMENT "Drawing the desktop icons"
  VERBATIM)
add_custom_target(desktop_icons ALL DEPENDS ${ICON_DIR}/256x256/apps/${APP_ID}.png)
file(WRITE ${CMAKE_BINARY_DIR}/pibo2.installed
  "This folder was installed: the game keeps its options, high scores, level file and error\n"
  "log in $XDG_DATA_HOME/pibo2 (default ~/.local/share/pibo2).\n")

set(PROGRAM_DIR share/pibo2)
install(PROGRAMS ${GAME_DIR}/pibo2 DESTINATION ${PROGRAM_DIR})
foreach(f ${GAME_PICTURES} ${GAME_WAVES} ${GAME_LEVEL_FILES})
  install(FILES ${GAME_DIR}/${f} DESTINATION ${PROGRAM_DIR})
endforeach()
foreach(f ${GAME_MUSIC})
  install(FILES ${GAME_DIR}/${f} DESTINATION ${PROGRAM_DIR}/Music)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/pibo2.installed DESTINATION ${PROGRAM_DIR})
# The launcher is a relative link, so the installed tree can be moved as a whole; the game finds
# its folder through the link.
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(CREATE_LINK ../${PROGRAM_DIR}/pibo2 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/pibo2\"
       SYMBOLIC)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/pibo2\")")
install(FILES ${CMAKE_SOURCE_DIR}/assets/install/${APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/assets/install/${APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${ICON_DIR}/ DESTINATION share/icons/hicolor)
