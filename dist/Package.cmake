# The Debian package: `cpack -G DEB` in a build folder gives orvik_<version>_amd64.deb with the
# install layout under /usr. Its dependencies are worked out from the binaries by
# dpkg-shlibdeps; only what the program loads at run time by name is listed here: the SQLite
# driver of Qt SQL, which no binary links.
set(CPACK_PACKAGE_NAME orvik)
set(CPACK_PACKAGE_VENDOR "The Orvik developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "watch and listen to internet TV and radio stations")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvik keeps a catalogue of internet TV and radio stations, grouped by category,\n"
    "and plays a station's stream in its window, or shows its web page. The window\n"
    "is drawn from bitmap skin packages and can hide to the notification area.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT "The Orvik developers <team@orvik.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ORVIK_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6sql6-sqlite)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Where cpack puts the package and its work folder (tests give a temporary one with -B).
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
# The source package is not made by cpack; keep its configuration out of the build folder.
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
