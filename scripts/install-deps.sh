#!/usr/bin/env bash
# Installs the Debian packages Tarvelle needs: "--run" what building and running the editor
# needs; without it (or with "--test") the test tools as well. Only missing packages are
# installed; uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libgumbo-dev libpugixml-dev nlohmann-json3-dev libyaml-cpp-dev libtomlplusplus-dev
  libfontconfig-dev libfreetype-dev libharfbuzz-dev
  fonts-dejavu-core fonts-liberation esbuild
)
if [ "${1:-}" != "--run" ]; then
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth desktop-file-utils appstream shared-mime-info dpkg-dev
    clang libclang-rt-dev chromium firefox-esr nodejs time
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Some builds of nodejs bring npm with them; Debian's own ships it as a package of its own.
if [ "${1:-}" != "--run" ] && ! command -v npm >/dev/null 2>&1 &&
  [[ " ${missing[*]} " != *" nodejs "* ]]; then
  missing+=(npm)
fi
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
