# The Linux program as a Debian package: the program where the screensaver
# daemon looks for its programs, and the settings description its settings
# tool reads. The version is the project's; Depends is worked out from the
# program's shared libraries. No maintainer scripts: installing changes no
# system setting.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorvelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "solar-system screensaver for XScreenSaver")
set(CPACK_PACKAGE_DESCRIPTION
    "A glowing Sun, nine textured planets with their moons and Saturn's ring in front of a field of stars, drawn with OpenGL. Choose Sorvelin in xscreensaver-settings.")
set(CPACK_PACKAGE_CONTACT "Sorvelin developers <sorvelin@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xscreensaver)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_OUTPUT_FILE_PREFIX ${SORVELIN_DIST_DIR})
include(CPack)
