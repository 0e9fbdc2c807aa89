#!/usr/bin/env bash
# Installs what building and testing Vorlith needs on Debian or Ubuntu, and nothing that is there.
set -euo pipefail

packages=(
    cmake make g++ clang           # native build, unit tests, fuzz test
    libclang-rt-dev                # clang's fuzzer and sanitizer runtimes (only recommended)
    googletest libgtest-dev        # GoogleTest: installed library and /usr/src/googletest
    g++-mingw-w64-x86-64           # cross compiler for the Windows program (both thread models)
    lld llvm                       # clang's linker and archiver for the second Windows build
    wine wine64                    # runs the Windows program and its end-to-end tests
    fonts-wine fonts-liberation    # Tahoma, MS Sans Serif, Marlett; stand-ins for the About fonts
    libxrender1 libxrandr2 libxinerama1 libxi6 libxcursor1 libxfixes3 libxcomposite1 # Wine on X
    xvfb xauth x11-utils           # private X displays (xvfb-run) for Wine windows
    xserver-xorg-core xserver-xorg-video-dummy # two monitors side by side (Xorg, dummy driver)
    x11-xserver-utils              # xrandr: places the dummy driver's two outputs side by side
    zip git                        # the release package (package/make_zip.sh), dated from the commit
    imagemagick                    # screenshots (import, convert)
    util-linux                     # flock, setsid, mcookie (xvfb-run)
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "deps.sh: installing ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
