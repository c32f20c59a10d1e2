# A Debian package of the installed tree: cpack -G DEB in the build folder
# makes velmora2-name-generator_<version>_<arch>.deb and, from the debug
# information of a RelWithDebInfo or Debug build, its debug symbols in
# velmora2-name-generator-dbgsym_<version>_<arch>.ddeb.

set(VELMORA_HOMEPAGE "https://velmora2namegen.example/")

set(CPACK_PACKAGE_NAME velmora2-name-generator)
set(CPACK_PACKAGE_VENDOR "The Velmora 2 Name Generator developers")
set(CPACK_PACKAGE_CONTACT "The Velmora 2 Name Generator developers <maintainers@velmora2namegen.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian shows the description as written, so its lines are kept short.
set(CPACK_PACKAGE_DESCRIPTION [[
A small desktop tool for players of Velmora 2: choose a gender, press
Generate Name and get a ready-made full name, a given name and a
surname, to type into the game.

Every name comes from two built-in lists of 1001 names each, one per
gender, drawn with equal chance.]])
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${CPACK_PACKAGE_NAME}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A tool for players, not a game: Debian's games section is for programs in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VELMORA_HOMEPAGE}")
# Library dependencies come from dpkg-shlibdeps. The window font is found at
# run time, so it is named here; the X11 platform plugin comes with
# libqt6gui6, the Wayland one is worth having on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# The program goes in stripped; its debug information in the -dbgsym package.
# lintian finds nothing in either package but one note on the debug one,
# cannot-check-whether-usr-share-doc-symlink-points-to-foreign-package: its
# documentation folder links to the program's, as in Debian's own debug
# packages, and lintian, shown no source package, cannot tell that both come
# from the same source.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/cpack/RemoveComment.cmake")
set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/cpack/RepairDebugSymbolsPackage.cmake")
# xz, as dpkg-deb uses, stores no time stamp.
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# cpack stamps every file and archive member with SOURCE_DATE_EPOCH when it
# is in its environment; this file, which cpack reads first, puts it there.
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/CPackSourceDate.cmake")
file(CONFIGURE OUTPUT "${CPACK_PROJECT_CONFIG_FILE}" CONTENT [[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} @VELMORA_SOURCE_DATE_EPOCH@)
endif()
]] @ONLY)

add_subdirectory(assets/debian)

include(CPack)
