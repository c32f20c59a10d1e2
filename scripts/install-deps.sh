#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing for building and running
# the program; with --tests, also those of its test suite; with --windows,
# only those that build the Windows program and its packages.
set -euo pipefail

windows_build=(
    cmake make
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64  # the cross compiler, windres and objdump
    nsis                                            # the installer
    libjpeg-turbo-progs                             # djpeg decodes the banner at build time
)
if [[ "${1:-}" == "--windows" ]]; then
    packages=("${windows_build[@]}")
else
    packages=(
        cmake g++ make pkg-config
        qt6-base-dev qt6-base-dev-tools libgl-dev  # libqt6gui6 brings the X11 platform plugin
        fonts-liberation       # stands in for MS Sans Serif
        libjpeg-turbo-progs    # djpeg decodes the banner at build time
        dpkg-dev file          # Debian's hardening flags (dpkg-buildflags); the Debian package
    )
fi
if [[ "${1:-}" == "--tests" ]]; then
    packages+=(
        xvfb xauth x11-utils libx11-dev libxtst-dev  # whole-program tests under a virtual display
        imagemagick xdotool                         # the README screenshots
        desktop-file-utils appstream                # validators for the desktop files
        valgrind                                    # the leak check
        lintian devscripts                          # the Debian package's checks (hardening-check)
        dbus-daemon at-spi2-core                    # a screen reader's session
        "${windows_build[@]}"                       # the Windows program
        wine wine64 fonts-wine                      # runs it; its fonts draw the title bar
        fonts-dejavu-core                           # the wider stand-in font the pictures try
        weston sway grim xwayland x11-xserver-utils qt6-wayland  # title bars on headless Wayland desktops
        python3                                     # checks the name lists' figures
    )
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
