# The Debian package: velmora_<version>_<arch>.deb, its library dependencies
# computed from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Northwind Lab")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for GPS/GSM vehicle trackers")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora brings a vehicle tracker on a serial or USB-serial port into command\n\
mode, reads and writes its settings on parameter pages, saves and loads\n\
configuration files, stores them in the tracker's flash and shows its live\n\
status reports. It ships udev rules that give the logged-in user the common\n\
USB-serial adapters and keep ModemManager off them.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Northwind Lab <velmora@northwind-lab.example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.trackline.example.com")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a platform plugin and the tracker register its SQLite
# driver, which no binary links directly; a workshop's shared register needs
# the PostgreSQL driver.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev, libqt6sql6-psql")
set(CPACK_STRIP_FILES ON)
include(CPack)
