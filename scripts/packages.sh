# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts: installs the Debian packages named in the arguments when any of them is
# missing, and does nothing otherwise; configures a preset's build folder.

ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "These Debian packages are missing: ${missing[*]}" >&2
            echo "Install them as root (apt-get install ${missing[*]}) and run this again." >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Build tools and libraries: JPEG decoding straight into the sheets, qpdf for the structure of a
# copier's PDF, Poppler's Qt binding to render its other pages, zlib for the journal's checks,
# OpenCV's core and image processing modules to align the sheets to the first one;
# dpkg-dev gives dpkg-shlibdeps, which names the libraries in the Debian package's Depends.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libjpeg62-turbo-dev libqpdf-dev
    libpoppler-qt6-dev zlib1g-dev libopencv-core-dev libopencv-imgproc-dev dpkg-dev)
# What the program needs at run time beyond the Qt libraries: Japanese dialog
# buttons, a Japanese font with a real bold face, the desktop opener for the grade
# table, and Qt's TIFF reader for the scans of copiers and fax software.
RUN_PACKAGES=(qt6-translations-l10n fonts-noto-cjk xdg-utils qt6-image-formats-plugins)
# What the tests and benchmarks need beyond the above: libtiff writes the fax pages
# of their TIFF scans.
TEST_PACKAGES=(libgtest-dev libtiff-dev)
# What scripts/fuzz needs beyond the build tools: clang and its libFuzzer runtime.
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

# Configures the build folder of a preset. The presets build with Ninja, and CMake refuses to
# change the generator of a build folder; one made with another (Makefiles, in older checkouts)
# loses CMake's cache and state first. Nothing else is removed: build/release is also the program's
# work folder and may hold an examination.
configure() {
    local preset=$1
    local cache="build/$preset/CMakeCache.txt"
    if [ -f "$cache" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$cache"; then
        echo "build/$preset was made by another generator: configuring it anew for Ninja"
        rm -rf "$cache" "build/$preset/CMakeFiles"
    fi
    cmake --preset "$preset" >/dev/null
}

jobs() {
    nproc 2>/dev/null || echo 2
}
