# `make deb`: the installed layout as a Debian package, made by CPack. The package's
# dependencies on libraries come from dpkg-shlibdeps; the fonts the game asks fontconfig for are
# named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pibo2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Pibo II team <team@piboii.github.io>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade platform game: ${APP_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION "Run and jump through thirty sideways-scrolling levels in five stages, from a
factory through caves, Egypt and outer space to the inside of a giant
machine. Collect every gem of a level while bombs drop in and bounce over the
platforms, blast them with a five-mode ball blaster, beat the machine on level
thirty and enter the high-score table. A harder second set of levels and a
level editor are built in.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue, fonts-liberation2")
include(CPack)
