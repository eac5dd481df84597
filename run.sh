#!/usr/bin/env bash
# Builds the workstation, lays out a complete demo installation in demo/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZV_BUILD_TESTS=OFF -DZV_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"
tools/make-demo.sh build/bin "$PWD/demo"
export FIREBIRD_LOCK="${FIREBIRD_LOCK:-$PWD/demo/.lock}"
if [ -x demo/zarvik ]; then
  exec demo/zarvik
fi
echo
echo "Demo installation ready in $PWD/demo:"
find demo -maxdepth 2 | sort | sed 's/^/  /'
