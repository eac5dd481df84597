#!/usr/bin/env bash
# check-deb.sh BUILD_DIR: builds the Debian package from BUILD_DIR, installs it with dpkg -i
# (as root), and starts the installed program under Xvfb: it must stay up, and a second start
# must end at once with success, answered by the first.
set -euo pipefail
build=$(realpath "$1")
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/zarvik_*_amd64.deb)
echo "Package: $deb"
dpkg -i "$deb" || { apt-get install -f -y -q; dpkg -i "$deb"; }

log=$(mktemp)
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  /opt/zarvik/zarvik.sh & first=$!
  sleep 5
  kill -0 $first || { echo "the installed program ended at start"; exit 1; }
  timeout 20 /opt/zarvik/zarvik.sh || { echo "the second start did not end cleanly"; exit 1; }
  kill -0 $first || { echo "the first copy ended"; exit 1; }
  kill -KILL $first
  echo "installed program started; second start answered by the first"
' 2>"$log" || { cat "$log"; exit 1; }
