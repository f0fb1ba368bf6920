# DebianPackage.cmake: the program as a Debian package. Its documents, the copyright file (made
# from LICENSE) and the changelog, are installed by `cmake --install` as well; `cpack -G DEB`
# (through scripts/package.sh) packs the installed files as vennaloop_VERSION_ARCH.deb. A build
# from the source package (debian/) turns them off: debhelper installs its own.
include(GNUInstallDirs)
option(VENNALOOP_INSTALL_PACKAGE_DOCS
       "Install the package's copyright file and changelog under share/doc" ON)

set(VENNALOOP_MAINTAINER "Vennaloop maintainers <vennaloop@users.noreply.github.com>")
set(VENNALOOP_DOCDIR "${CMAKE_INSTALL_DATADIR}/doc/vennaloop")
set(packaging "${PROJECT_SOURCE_DIR}/packaging")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             "${PROJECT_SOURCE_DIR}/LICENSE" "${packaging}/changelog")

# ---- The changelog ---------------------------------------------------------------------------
# The package is built from the project's own tree, so in Debian's terms it is native: its version
# is the project's, with no Debian revision, and its changelog is changelog.gz (changelog.Debian.gz
# is for packages of someone else's sources; lintian flags it in a native package). The newest
# entry must be this version's.
file(STRINGS "${packaging}/changelog" newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^vennaloop \\(([^)]+)\\) ")
  message(FATAL_ERROR "packaging/changelog: the first line is not 'vennaloop (VERSION) ...'")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog's newest entry is ${CMAKE_MATCH_1}, the project is "
                      "${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION}")
endif()

set(changelog "${PROJECT_BINARY_DIR}/packaging/changelog.gz")
add_custom_command(
  OUTPUT "${changelog}"
  COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" sh "${packaging}/changelog" "${changelog}"
  DEPENDS "${packaging}/changelog"
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(vennaloop_changelog ALL DEPENDS "${changelog}")

# ---- The copyright file ----------------------------------------------------------------------
# Its licence paragraph is LICENSE's text after the copyright line, indented one space with empty
# lines as " .", as the machine-readable format wants formatted text.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" license)
if(NOT license MATCHES "\nCopyright \\(c\\) ([^\n]+)\n(.+)$")
  message(FATAL_ERROR "LICENSE: no 'Copyright (c) YEARS HOLDER' line followed by the licence")
endif()
set(VENNALOOP_COPYRIGHT "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" license)
string(REGEX REPLACE "\n[ \t]*\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " VENNALOOP_LICENSE_TEXT " ${license}")
# The template's comment lines go, and with them the extra empty lines they leave.
file(READ "${packaging}/copyright.in" copyright)
string(REGEX REPLACE "\n#[^\n]*" "" copyright "\n${copyright}")
string(REGEX REPLACE "\n\n\n+" "\n\n" copyright "${copyright}")
string(REGEX REPLACE "^\n+" "" copyright "${copyright}")
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/packaging/copyright" CONTENT "${copyright}" @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${packaging}/copyright.in")

if(VENNALOOP_INSTALL_PACKAGE_DOCS)
  install(FILES "${PROJECT_BINARY_DIR}/packaging/copyright" "${changelog}"
          DESTINATION "${VENNALOOP_DOCDIR}")
endif()

# ---- The package -----------------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vennaloop)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Rinne Nagisa")
set(CPACK_PACKAGE_CONTACT "${VENNALOOP_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
# Debian's synopsis is a noun phrase without an article, as the project's description is, and
# starts in lower case.
string(SUBSTRING "${PROJECT_DESCRIPTION}" 0 1 first)
string(SUBSTRING "${PROJECT_DESCRIPTION}" 1 -1 rest)
string(TOLOWER "${first}" first)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${first}${rest}")
set(CPACK_PACKAGE_DESCRIPTION "\
A single-player maze game on a 256 x 256 grid whose opposite edges are
glued with a reversal, so that the playing field is a projective plane.
The maze grows while you play; thirty aliens wander its corridors. Walk
to the goal on the opposite side yourself, or hand the walking over to a
corridor follower, a random wanderer or a junction-remembering explorer.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Stripped by the install step (app/desktop), which also drops the .comment notes.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # vennaloop_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries the program links, found by dpkg-shlibdeps. libqt6gui6 among them also holds
# the X11 platform plugin (and the offscreen one); qt6-qpa-plugins has only VNC and touch input,
# which the game does not use.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What else every text needs: a Japanese Gothic font. The about boxes, the dialogs and the title
# have Japanese text, which no Latin font can show. IPA's P Gothic is the face the dialogs name;
# any Japanese Gothic font gives the title and the dialogs their glyphs when it is missing.
# The Latin faces need nothing of ours: fontconfig, which Qt depends on, already brings one
# (fonts-dejavu-core, the dialogs' sans, is its first choice).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-japanese-gothic")
# The title's own faces: IPA P Mincho for its Japanese lines and URW's C059 for the Century
# lines. Without them the title shows in the Gothic and in a fallback serif. And Wayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-mincho, fonts-urw-base35, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
