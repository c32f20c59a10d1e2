# What the Linux install tree holds beside the program and its desktop
# integration (ui/qt/freedesktop): the manual page. The Debian package is
# made from this tree by debhelper (debian/), which compresses the manual page
# and adds the copyright file and the changelog.

install(FILES "${PROJECT_SOURCE_DIR}/ui/qt/man/velmora2-name-generator.1"
    DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

# The package is versioned by the changelog's newest entry.
file(STRINGS "${PROJECT_SOURCE_DIR}/debian/changelog" newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^velmora2-name-generator \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "the newest entry of debian/changelog is not version ${PROJECT_VERSION}: ${newest}")
endif()
