# Debian package of the calculator (cpack -G DEB in the build folder). Included from the
# top-level CMakeLists.txt after every target exists.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvel)
set(CPACK_PACKAGE_VENDOR "Екипът на Зорвел")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The first Debian packaging of this upstream version: 1.1.1.2-1, with its own changelog.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "psychrometer calculator with a Bulgarian interface")
# The extended description, wrapped within 80 columns as Debian's tools show it.
set(CPACK_PACKAGE_DESCRIPTION
    "Зорвел computes the absolute and relative humidity, the dew point and the
saturation and partial vapour pressures from the readings of a
wet-and-dry-bulb psychrometer. Nine illustrated help pages explain the
physics and can be saved or printed.")
set(CPACK_PACKAGE_CONTACT "Екипът на Зорвел <zorvel@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zorvel.example.org/")
# Library packages come from dpkg-shlibdeps; the rest is what the program needs at run
# time without linking to it: "Arial" must resolve to a metric-compatible face with Cyrillic,
# and Qt's own dialogs speak Bulgarian from qtbase_bg.qm.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
# Folders and control files with the modes Debian expects, whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
