# The Debian package (`cpack -G DEB` in the build folder): what
# packaging/CMakeLists.txt installs, under /usr. The libraries the programs
# link are found by dpkg-shlibdeps; the fonts the reader draws with are named;
# xdg-utils opens the browser for the update check and the About link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillory-32)
set(CPACK_PACKAGE_VERSION ${QUILLORY_VERSION})
set(CPACK_PACKAGE_VENDOR Orvenda)
set(CPACK_PACKAGE_CONTACT "Orvenda <support@orvenda.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reader for the Hebrew volume Quillory - 32")
# CPack takes the summary as the short line and this as the long text, each
# of its lines indented by one space in the control file.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The 44 articles of the volume and its index are compiled into the program.
It opens the article of the coming Sabbath (Israel or diaspora schedule), or
the one read last at the place it was left; pages and scrolls right to left,
follows links, searches the whole volume with wildcards on an on-screen
Hebrew keyboard or any keyboard layout, keeps bookmarks, lets you choose the
font, and copies an article to the clipboard as rich text or Unicode text.
The whole program works from the keyboard.")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.orvenda.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "culmus, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
