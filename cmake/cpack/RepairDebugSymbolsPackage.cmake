# Run by cpack on the packages it made (CPACK_POST_BUILD_SCRIPTS): repacks the
# debug symbols package (.ddeb), whose md5sums cpack writes with the absolute
# paths of its staging folder, with the paths as installed, and links its
# documentation folder to the program's, as Debian's own debug packages do.
# dpkg-deb stamps every member with SOURCE_DATE_EPOCH, which cpack has set.

find_program(DPKG_DEB dpkg-deb REQUIRED)
list(FILTER CPACK_PACKAGE_FILES INCLUDE REGEX "\\.ddeb$")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    set(tree "${package}.tree")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND "${DPKG_DEB}" --raw-extract "${package}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)

    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${tree}" "${tree}/usr/*")
    list(SORT files)
    set(md5sums "")
    foreach(file IN LISTS files)
        file(MD5 "${tree}/${file}" sum)
        string(APPEND md5sums "${sum}  ${file}\n")
    endforeach()
    file(WRITE "${tree}/DEBIAN/md5sums" "${md5sums}")

    file(MAKE_DIRECTORY "${tree}/usr/share/doc")
    file(CREATE_LINK "${CPACK_PACKAGE_NAME}" "${tree}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym" SYMBOLIC)

    file(REMOVE "${package}")
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=$ENV{SOURCE_DATE_EPOCH}"
            "${DPKG_DEB}" --root-owner-group -Zxz --build "${tree}" "${package}"
        OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${tree}")
endforeach()
