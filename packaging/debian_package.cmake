# The Debian package (`cpack -G DEB` in the build folder): what
# packaging/CMakeLists.txt installs, under /usr. The libraries the programs
# link are found by dpkg-shlibdeps; the fonts the reader draws with are named.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillory-32)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Orvenda)
set(CPACK_PACKAGE_CONTACT "Orvenda <support@orvenda.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reader for the Hebrew volume Quillory - 32")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "reader for the Hebrew volume Quillory - 32
 The 44 articles of the volume and its index are compiled into the program.
 It opens this week's article, pages and scrolls, follows links, searches the
 whole volume with wildcards on an on-screen Hebrew keyboard, keeps bookmarks
 and copies an article to the clipboard as rich text or Unicode text.")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.orvenda.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "culmus, fonts-dejavu-core")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
