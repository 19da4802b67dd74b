#!/usr/bin/env bash
# Sets up what is missing on a Debian 12 / Ubuntu machine, builds, and then either starts the
# program (./dev.sh run), runs every test (./dev.sh test) or builds the Debian package
# (./dev.sh deb, into build/release). Works as root and through sudo.
set -euo pipefail
cd "$(dirname "$0")"

what=${1:-}
case "$what" in
run | test | deb) ;;
*)
    echo "usage: $0 run|test|deb" >&2
    exit 2
    ;;
esac

packages=(
    cmake ninja-build g++ pkg-config git
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libturbojpeg0-dev libjpeg62-turbo-dev zlib1g-dev liblzma-dev libfontconfig-dev
    fonts-arphic-gbsn00lp fonts-arphic-uming fonts-cwtex-ming tzdata
    libopencc-dev opencc qt6-translations-l10n qt6-l10n-tools python3-fonttools fontconfig
)
if [ "$what" = test ]; then
    # The tests read the PDFs the program writes back with pdftotext, hear the screen reader's
    # announcements on a virtual X display with its accessibility bus, and start the program
    # under a headless Wayland compositor.
    packages+=(poppler-utils xvfb xauth dbus at-spi2-core weston qt6-wayland)
fi
if [ "$what" = run ]; then
    # Qt's Wayland platform plugin: a native window on a Wayland desktop.
    packages+=(qt6-wayland)
fi
if [ "$what" = deb ]; then
    # dpkg-shlibdeps works out the package's library dependencies; it needs file.
    packages+=(dpkg-dev file)
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
fi

werror=${LORVEX_WERROR:-OFF}
if [ "$what" = run ]; then
    cmake --preset release -DLORVEX_WERROR="$werror"
    cmake --build --preset release
    exec ./build/release/app/lorvex2004
elif [ "$what" = deb ]; then
    # The package holds the program only: the content tools are not built for it.
    cmake --preset release -DLORVEX_WERROR="$werror" -DLORVEX_BUILD_TOOLS=OFF
    cmake --build --preset release
    (cd build/release && cpack -G DEB)
    ls build/release/lorvex2004_*.deb
else
    cmake --preset dev -DLORVEX_WERROR="$werror"
    cmake --build --preset dev
    ctest --preset dev
fi
