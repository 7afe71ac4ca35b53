# `make install` (PREFIX, default /usr/local; DESTDIR honoured) and the Debian package, in the
# layout of Debian's games: the program's folder under PREFIX/lib/games/pibo2, marked as
# installed so the game keeps its own files in the player's data folder; a launcher
# PREFIX/games/pibo2; the desktop entry, the icons, the AppStream metadata, the manual page, the
# licence and the changelog. The developer tools stay in the build.
set(APP_ID io.github.piboii.PiboII)
set(APP_SUMMARY "collect every gem while bombs rain down")
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

set(PROGRAM_DIR lib/games/pibo2)
install(TARGETS pibo2 RUNTIME DESTINATION ${PROGRAM_DIR})
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
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games\")
  file(CREATE_LINK ../${PROGRAM_DIR}/pibo2 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/pibo2\"
       SYMBOLIC)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/pibo2\")")
install(FILES ${CMAKE_SOURCE_DIR}/assets/install/${APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/assets/install/${APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${ICON_DIR}/ DESTINATION share/icons/hicolor)

# The manual page, made from --help; the licence as a Debian copyright file; the changelog. Both
# text files are compressed without a time stamp, so a package build is the same every time.
set(DOC_DIR ${CMAKE_BINARY_DIR}/doc)
add_custom_command(
  OUTPUT ${DOC_DIR}/pibo2.6.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DOC_DIR}
  COMMAND help2man --no-info --section=6 --name=${APP_SUMMARY}
          --version-string=${PROJECT_VERSION} --output=${DOC_DIR}/pibo2.6 ${GAME_DIR}/pibo2
  COMMAND gzip -9nf ${DOC_DIR}/pibo2.6
  DEPENDS pibo2
  COMMENT "Writing the manual page from --help"
  VERBATIM)
add_custom_command(
  OUTPUT ${DOC_DIR}/changelog.Debian.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DOC_DIR}
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/assets/install/changelog > ${DOC_DIR}/changelog.Debian.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/assets/install/changelog
  VERBATIM)
add_custom_target(install_docs ALL DEPENDS ${DOC_DIR}/pibo2.6.gz ${DOC_DIR}/changelog.Debian.gz)
install(FILES ${DOC_DIR}/pibo2.6.gz DESTINATION share/man/man6)
install(FILES ${CMAKE_SOURCE_DIR}/assets/install/copyright ${DOC_DIR}/changelog.Debian.gz
        DESTINATION share/doc/pibo2)
install(FILES ${CMAKE_SOURCE_DIR}/assets/install/lintian-overrides DESTINATION share/lintian/overrides
        RENAME pibo2)
