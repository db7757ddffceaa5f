#!/usr/bin/env bash
# Takes pictures of the main window, the Options dialog, the about box and the web address dialog on a
# virtual X display, and of the main window with a page loaded from a loopback server.
#   tools/screenshots.sh [FOLDER]     (default: screenshots/), after a build into build/
# Needs xvfb (sudo apt-get install -y xvfb); without it the pictures come from Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
folder="${1:-screenshots}"
program="${SOLLENTRA_BUILD:-build}/tools/screenshots"
[ -x "$program" ] || { echo "build first: cmake -S . -B build && cmake --build build -j2" >&2; exit 1; }
# The program keeps its scratch files in the folder it starts in.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
target="$(realpath -m "$folder")"
cd "$scratch"
if command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "$OLDPWD/$program" "$target"
else
  QT_QPA_PLATFORM=offscreen "$OLDPWD/$program" "$target"
fi
