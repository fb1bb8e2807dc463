# `make package`: a Debian package of the installed layout, built by CPack's DEB generator into
# the build folder as vantrel_<version>_<arch>.deb.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR Tarsk)
set(CPACK_PACKAGE_VERSION ${VANTREL_VERZE})
set(CPACK_PACKAGE_CONTACT "${VANTREL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "join text files into one, in a window or from scripts")
set(CPACK_PACKAGE_DESCRIPTION
"Vantrel joins text files into one. Collect the input files in a list, press
Join and name the output: every line of every file is copied in list order
with CR LF line ends, and one empty line follows each file. Bytes that are
not valid text in the locale's encoding are copied unchanged.

The interface switches at run time between Czech, English, Slovak, German,
French and Spanish. The command vantrel-join runs the same join from
scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VANTREL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VANTREL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the SVG image and icon plugins at run time, so no library link names their package.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# CPack dates the package's files and members with the time of packaging and miscounts
# Installed-Size; the package is made again from its own contents by dpkg-deb.
set(CPACK_VANTREL_SOURCE_DATE_EPOCH ${VANTREL_SOURCE_DATE_EPOCH})
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageRebuild.cmake)

include(CPack)
