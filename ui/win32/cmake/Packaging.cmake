# The Windows packages, made with every build of the Windows program, so
# they never lag behind it (target windows_packages):
#   packages/velmora2-name-generator-<version>-windows-x64.zip   the program, portable
#   packages/velmora2-name-generator-<version>-setup.exe         the NSIS installer

find_program(MAKENSIS makensis REQUIRED)

set(package_dir "${PROJECT_BINARY_DIR}/packages")
set(package_name "velmora2-name-generator-${PROJECT_VERSION}")
set(VELMORA_WINDOWS_ZIP "${package_dir}/${package_name}-windows-x64.zip")
set(VELMORA_WINDOWS_INSTALLER "${package_dir}/${package_name}-setup.exe")
set(portable_dir "${PROJECT_BINARY_DIR}/portable")

# A signed build (scripts/build-windows.sh with a certificate): the command
# signs the program in place before it is packed, and makensis has it sign
# the uninstaller it writes and then the installer.
set(VELMORA_SIGN_COMMAND "" CACHE FILEPATH
    "A command that signs the Windows file it is given, in place; empty: no signing")
set(packed_program velmora2-name-generator)
set(installer_signing "")
if(VELMORA_SIGN_COMMAND)
    set(signed_stamp "${PROJECT_BINARY_DIR}/program-signed.stamp")
    add_custom_command(
        OUTPUT "${signed_stamp}"
        COMMAND "${VELMORA_SIGN_COMMAND}" "$<TARGET_FILE:velmora2-name-generator>"
        COMMAND "${CMAKE_COMMAND}" -E touch "${signed_stamp}"
        DEPENDS velmora2-name-generator
        COMMENT "Signing the program"
        VERBATIM)
    list(APPEND packed_program "${signed_stamp}")
    set(installer_signing "-DSIGN_COMMAND=${VELMORA_SIGN_COMMAND}")
endif()

add_custom_command(
    OUTPUT "${VELMORA_WINDOWS_ZIP}"
    COMMAND "${CMAKE_COMMAND}" -E rm -rf "${portable_dir}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${portable_dir}" "${package_dir}"
    COMMAND "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:velmora2-name-generator>" "${portable_dir}/"
    COMMAND "${CMAKE_COMMAND}" -E copy "${PROJECT_SOURCE_DIR}/LICENSE" "${portable_dir}/LICENSE.txt"
    # SOURCE_DATE_EPOCH gives every entry the last commit's time (reproducible builds).
    COMMAND "${CMAKE_COMMAND}" -E chdir "${portable_dir}"
        "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${VELMORA_SOURCE_DATE_EPOCH}"
        "${CMAKE_COMMAND}" -E tar cf "${VELMORA_WINDOWS_ZIP}" --format=zip
        velmora2-name-generator.exe LICENSE.txt
    DEPENDS ${packed_program} "${PROJECT_SOURCE_DIR}/LICENSE"
    COMMENT "Zipping the portable program"
    VERBATIM)

set(installer_script "${PROJECT_SOURCE_DIR}/ui/win32/installer.nsi")
add_custom_command(
    OUTPUT "${VELMORA_WINDOWS_INSTALLER}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${package_dir}"
    COMMAND "${MAKENSIS}" -V2 -NOCD
        "-DVERSION=${PROJECT_VERSION}"
        "-DVERSION_QUAD=${VELMORA_VERSION_QUAD}"
        "-DAPP_NAME=${VELMORA_PRODUCT_NAME}"
        "-DPUBLISHER=${VELMORA_PUBLISHER}"
        "-DCOPYRIGHT=${VELMORA_COPYRIGHT}"
        "-DPROGRAM=$<TARGET_FILE:velmora2-name-generator>"
        "-DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE"
        "-DICON=${PROJECT_SOURCE_DIR}/ui/assets/icon.ico"
        "-DOUTFILE=${VELMORA_WINDOWS_INSTALLER}"
        ${installer_signing}
        "${installer_script}"
    DEPENDS ${packed_program} "${installer_script}" "${PROJECT_SOURCE_DIR}/LICENSE"
    COMMENT "Making the installer"
    VERBATIM)

add_custom_target(windows_packages ALL DEPENDS "${VELMORA_WINDOWS_ZIP}" "${VELMORA_WINDOWS_INSTALLER}")
