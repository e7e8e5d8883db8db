#!/usr/bin/env bash
# Installs the Debian packages Quill needs to build, test and run; does nothing when all
# are present. Uses sudo when not run as root.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    clang libclang-rt-dev
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    default-jdk
    fonts-liberation xvfb xauth xdotool x11-apps
    xterm
    libbenchmark-dev
    poppler-utils
    libqt6svg6 desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
