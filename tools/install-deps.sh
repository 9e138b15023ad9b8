#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and test (the last line: what checks
# the installed files and the Debian package). Quick when all are there.
set -euo pipefail
packages=(build-essential cmake pkg-config
          libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
          libxerces-c-dev libsqlite3-dev libfontconfig-dev libfribidi-dev zlib1g-dev libisal-dev
          fonts-open-sans fonts-dejavu-core fonts-noto-cjk fonts-noto-color-emoji
          libgtest-dev libgmock-dev libbenchmark-dev
          clang clang-format libclang-rt-14-dev
          lintian desktop-file-utils appstream man-db)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root (or with sudo) to install packages." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
