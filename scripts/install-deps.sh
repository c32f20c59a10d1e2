#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing for building and running
# the program: its build dependencies and the run-time ones beside its
# libraries, both read from debian/control; with --windows, also those that
# build and sign the Windows program and its packages; with --web, those
# that build the page; with --tests, also those of the test suite and the
# package checks, and the web tests' tools from npm (tests/browser/web).
set -euo pipefail
cd "$(dirname "$0")/.."

windows_build=(
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64  # the cross compiler, windres and objdump
    nsis                                            # the installer
    osslsigncode                                    # signs the program and the installer
)
web_build=(
    emscripten                                      # compiles the program to WebAssembly
    fonttools woff2 fonts-liberation2               # the window's font, cut down and packed
    python3                                         # serves the page on localhost
)
# The package's hand-written dependencies (fonts), without the computed ${...} ones.
mapfile -t packages < <(sed -n 's/^Depends://p' debian/control | tr ', ' '\n\n' | grep -v '^$\|\$')
case "${1:-}" in
--windows)
    packages+=("${windows_build[@]}")
    ;;
--web)
    packages+=("${web_build[@]}")
    ;;
--tests)
    packages+=(
        xvfb xauth x11-utils libx11-dev libxtst-dev  # whole-program tests under a virtual display
        imagemagick xdotool                         # the README screenshots
        valgrind                                    # the leak check
        dbus-daemon at-spi2-core                    # a screen reader's session
        "${windows_build[@]}"                       # the Windows program
        "${web_build[@]}" chromium chromium-driver  # the page, in real browsers
        firefox-esr webkit2gtk-driver qt6-websockets-dev  # and two more engines, Firefox over BiDi
        wine wine64 fonts-wine                      # runs it; its fonts draw the title bar
        fonts-dejavu-core                           # the wider stand-in font the pictures try
        weston sway grim xwayland x11-xserver-utils qt6-wayland  # title bars on headless Wayland desktops
        python3                                     # checks the name lists' figures
        curl iproute2                               # asks for the page run-web.sh serves
        lintian devscripts autopkgtest              # the Debian packages' checks (hardening-check)
        openssl                                     # a throw-away certificate for the signing check
    )
    ;;
esac

# npm, where no Node.js brought its own.
if [[ "${1:-}" == --tests ]] && ! command -v npm >/dev/null; then
    packages+=(npm)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$package")
    fi
done
# dpkg-checkbuilddeps comes with the build dependencies (dpkg-dev).
if ((${#missing[@]} > 0)) || ! dpkg-checkbuilddeps 2>/dev/null; then
    apt=(env DEBIAN_FRONTEND=noninteractive apt-get -y -qq --no-install-recommends)
    if ((EUID != 0)); then
        apt=(sudo "${apt[@]}")
    fi
    echo "Installing: the build dependencies of debian/control ${missing[*]}"
    "${apt[@]}" update
    "${apt[@]}" build-dep ./
    if ((${#missing[@]} > 0)); then
        "${apt[@]}" install "${missing[@]}"
    fi
fi

# The web tests' tools, at the versions tests/browser/web/package-lock.json
# pins, installed again whenever it has changed, so that no older ones decide.
tools=tests/browser/web
if [[ "${1:-}" == --tests ]] &&
    ! cmp -s "$tools/package-lock.json" "$tools/node_modules/.installed-lock.json"; then
    npm ci --prefix "$tools" --no-audit --no-fund
    cp "$tools/package-lock.json" "$tools/node_modules/.installed-lock.json"
fi
