# Sourced by the scripts: installs the Debian packages that Varnik needs when any is missing.
VARNIK_PACKAGES=(g++ cmake ninja-build clang-format git libgtest-dev libbenchmark-dev
    qt6-base-dev libxkbcommon-dev nlohmann-json3-dev libcli11-dev rapidjson-dev
    xvfb xauth fonts-dejavu-core xdg-utils)

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
