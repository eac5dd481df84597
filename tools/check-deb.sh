#!/usr/bin/env bash
# check-deb.sh BUILD_DIR: builds the Debian package from BUILD_DIR, installs it with dpkg -i
# (as root), and starts the installed program under Xvfb: it must stay up, and a second start
# must end at once with success, answered by the first.  A machine that had no installation
# before the check has none after it: the package, its settings and its data are removed again,
# so that the installed settings file (found before any other) never takes over the demo's.
set -euo pipefail
build=$(realpath "$1")
if ! dpkg -s zarvik >/dev/null 2>&1 && [ ! -e /opt/brondell/ZARVIKSL ] && [ ! -e /var/lib/zarvik ]; then
  trap 'dpkg --purge zarvik >/dev/null 2>&1 || true; rm -rf /opt/brondell/ZARVIKSL /var/lib/zarvik
        rmdir /opt/brondell 2>/dev/null || true' EXIT
fi
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
