# The Debian package: `cpack -G DEB` in a build folder gives
# velloran_<version>_<arch>.deb, installed under /usr.
#
# Library dependencies come from dpkg-shlibdeps on the program. The preview
# asks for Times New Roman, which fontconfig maps to Liberation Serif (same
# metrics); no library pulls that font in.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velloran)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velloran team")
set(CPACK_PACKAGE_CONTACT "Velloran team <velloran@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "composer for the <body> tag of HTML pages")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velloran team <velloran@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://velloran.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Velloran composes the opening <body> tag of an HTML page: the background
colour, the text colour, the three link colours, a fixed or scrolling
background image and the page margins, with a live preview. It reads the
tag of an existing HTML file and writes a new one into it. The user
interface is in French.")

# A source package holds neither the history nor build folders.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/fuzz/artifacts/")

include(CPack)
