# A Debian package of the installed tree: cpack -G DEB in the build folder.

set(CPACK_PACKAGE_NAME velmora2-name-generator)
set(CPACK_PACKAGE_VENDOR "The Velmora 2 Name Generator developers")
set(CPACK_PACKAGE_CONTACT "The Velmora 2 Name Generator developers <maintainers@velmora2namegen.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "A small desktop tool for players of Velmora 2: choose a gender, press Generate Name and get a ready-made full name.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${CPACK_PACKAGE_NAME}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://velmora2namegen.example/")
# Library dependencies come from dpkg-shlibdeps; the X11 platform plugin
# and the window font are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")

include(CPack)
