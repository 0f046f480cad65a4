# Sourced by the scripts: installs the Debian packages that Varnik needs when any is missing.
# clang and libclang-rt-14-dev build the fuzz targets (libFuzzer); librsvg2-bin draws the
# icon's sizes; the rest check an installation and build the Debian package.
VARNIK_PACKAGES=(g++ cmake ninja-build clang-format git libgtest-dev libbenchmark-dev
    qt6-base-dev libxkbcommon-dev nlohmann-json3-dev libcli11-dev rapidjson-dev libre2-dev
    xvfb xauth fonts-dejavu-core xdg-utils
    clang libclang-rt-14-dev librsvg2-bin
    desktop-file-utils appstream man-db dpkg-dev file)

varnik_install_packages() {
    local missing=() pkg
    for pkg in "${VARNIK_PACKAGES[@]}" "$@"; do
        dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 \
        install -y --no-install-recommends "${missing[@]}"
}
