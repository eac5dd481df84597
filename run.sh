#!/usr/bin/env bash
# Builds the workstation, lays out a complete demo installation in demo/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Only what the installation holds; the tests are built by ./test.sh.
cmake --build build -j"$(nproc)" --target zarvik zarvik_pictures zarvik-db zarvik-demo-data Vessik Kandor \
  vessik-batch placido-render demo-calibration Captura CapturaOrto Processamento Pelmo Rusk Gavrel \
  Quillon Sennet Horvat Bexley Wendel Backup \
  calib_animations
tools/make-demo.sh build/bin "$PWD/demo"
export FIREBIRD_LOCK="${FIREBIRD_LOCK:-$PWD/demo/.lock}"
if [ -x demo/zarvik ]; then
  exec demo/zarvik
fi
echo
echo "Demo installation ready in $PWD/demo:"
find demo -maxdepth 2 | sort | sed 's/^/  /'
