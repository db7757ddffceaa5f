#!/usr/bin/env bash
# A newcomer's first command on a fresh Debian machine: installs what the build needs (through sudo
# unless already root), builds, and starts the program.
#   tools/setup.sh [--no-start]
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(cmake g++ qt6-base-dev libcurl4-openssl-dev nlohmann-json3-dev libgtest-dev)
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "run this as root, or install sudo first" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update
"${as_root[@]}" apt-get install -y "${packages[@]}"
cmake -S . -B build
cmake --build build -j2
[ "${1:-}" = "--no-start" ] || exec ./build/app/sollentra
