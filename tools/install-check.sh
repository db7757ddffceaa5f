#!/usr/bin/env bash
# Checks a build as a user's desktop meets it: installs it into a temporary prefix, validates the
# desktop entry and the AppStream metadata, makes the Debian package and checks that its dependencies
# name Qt and curl, then starts the installed program on a virtual X display under a window manager
# and closes it with the window manager's close request, as a click on the close box does.
#   tools/install-check.sh BUILD-FOLDER
# Needs xvfb, xauth, openbox, wmctrl, xdotool, desktop-file-utils, appstream, dpkg-dev and file.
set -euo pipefail

window_title="Kavimor - Sollentra"
self=$(realpath "$0")

# On the virtual display: the window manager, the program, its window, the close request.
if [ "${1:-}" = "--on-display" ]; then
  program=$2
  openbox >/dev/null 2>&1 &
  "$program" &
  pid=$!
  if ! timeout 30 xdotool search --sync --name "$window_title" >/dev/null; then
    echo "the window \"$window_title\" did not appear" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
  fi
  sleep 3
  kill -0 "$pid" || { echo "the program ended by itself" >&2; exit 1; }
  wmctrl -c "$window_title"
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    echo "the program is still running 10 s after the close request" >&2
    kill "$pid"
    exit 1
  fi
  wait "$pid" || { echo "the program exited with status $?" >&2; exit 1; }
  echo "started and closed through the window manager"
  exit 0
fi

build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix"
desktop-file-validate "$prefix/share/applications/sollentra.desktop"
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml
for side in 16 22 24 32 48 64 128 256; do
  test -s "$prefix/share/icons/hicolor/${side}x${side}/apps/sollentra.png"
done

rm -f "$build"/sollentra_*.deb
(cd "$build" && cpack -G DEB)
depends=$(dpkg-deb --field "$build"/sollentra_*.deb Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6core6 libcurl4; do
  grep -q "\b$library\b" <<<"$depends" || { echo "the package does not depend on $library" >&2; exit 1; }
done
# What a user's "apt install ./sollentra_*.deb" would do, without doing it.
apt-get install --simulate "$build"/sollentra_*.deb >/dev/null

# The program runs in a folder and with settings of its own, so nothing of the user's is touched.
mkdir -p "$work/run" "$work/config"
(cd "$work/run" && HOME="$work/run" XDG_CONFIG_HOME="$work/config" \
  xvfb-run -a bash "$self" --on-display "$prefix/bin/sollentra")
