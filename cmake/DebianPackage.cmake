# DebianPackage.cmake: what `cpack -G DEB` makes of the installed program: a package named
# vennaloop whose dependencies are the Qt libraries the program links (found by dpkg-shlibdeps),
# the Qt platform plugins it loads at run time, and the fonts its texts are mapped to.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vennaloop)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Rinne Nagisa")
set(CPACK_PACKAGE_CONTACT "Rinne Nagisa")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "\
A single-player maze game on a 256 x 256 grid whose opposite edges are
glued with a reversal, so that the playing field is a projective plane.
The maze grows while you play; thirty aliens wander its corridors. Walk
to the goal on the opposite side yourself, or hand the walking over to a
corridor follower, a random wanderer or a junction-remembering explorer.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # vennaloop_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin is loaded at run time, so dpkg-shlibdeps cannot see it; the fonts are
# the faces the title and the dialogs are mapped to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-ipafont-mincho, fonts-ipafont-gothic, fonts-urw-base35, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
