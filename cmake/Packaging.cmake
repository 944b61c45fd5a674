# `cpack -G DEB` in the build folder makes the Debian package of what
# `cmake --install` installs, under /usr.
set(CPACK_PACKAGE_NAME ombrelis)
set(CPACK_PACKAGE_VENDOR "Ombrelis")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "éditeur de courbes y = f(x) et outil de traitement par lots")
# Debian wants the description's lines shorter than 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
  "Ombrelis dessine, échantillonne et combine des courbes y = f(x) :
quatre courbes par fenêtre, tracées par des échantillons et leurs
tangentes ou calculées par un script. ombrelis-cli fait le même travail
sans fenêtre : résumé d'un fichier, points, surface, scripts, rendu PNG,
SVG ou PDF, import de mesures CSV.")
# The GNU GPL, version 3 or later; data/debian/copyright says so in
# Debian's own format.
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Équipe Ombrelis <ombrelis@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The file dialogs speak French only with Qt's French catalogue.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
