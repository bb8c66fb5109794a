# The Debian package made by CPack: ./kw package builds
# build/package/kolbrawin_<version>_<arch>.deb from the install rules.
set(KW_PACKAGE_MAINTAINER "KolbraWin team <team@kolbrawin.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kolbrawin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KolbraWin team")
set(CPACK_PACKAGE_CONTACT ${KW_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KW_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "configuration and service tool for GSM gateways
KolbraWin configures and services a GSM gateway, the device that joins
analogue telephone lines to the mobile network. It reads the gateway's
configuration memory over a serial cable, lets a technician edit it on seven
section pages, saves and loads configuration files, writes the configuration
back with verification and upgrades the gateway's firmware.

The package holds the program with its window (kolbrawin), a command-line
tool for the same work in scripts (kolbrawin-cli), and a simulated gateway
for trying both without hardware (kolbrawin-gwsim).")

include(CPack)
