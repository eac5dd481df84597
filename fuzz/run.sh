#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang into build-fuzz/ (or $ZV_FUZZ_BUILD) and runs each
# for SECONDS (default 30) on its seeds from fuzz/corpus/ plus what earlier runs found.  Any
# crash, sanitizer report, leak or hang fails the run; the input that did it is kept as
# build-fuzz/crash-<harness>-*.  Extra arguments go to every harness (e.g. -jobs=2).
#   fuzz/run.sh [SECONDS] [libFuzzer options...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
build=${ZV_FUZZ_BUILD:-build-fuzz}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZV_BUILD_TESTS=OFF -DZV_BUILD_BENCH=OFF -DZV_BUILD_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz

export QT_QPA_PLATFORM=offscreen
summary=()
for seeds in fuzz/corpus/*/; do
  harness=$(basename "$seeds")
  corpus="$build/corpus/$harness"
  mkdir -p "$corpus"
  echo "== $harness: $seconds s"
  log="$build/$harness.log"
  if ! "$build/bin/$harness" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 \
      -print_final_stats=1 -artifact_prefix="$build/crash-$harness-" "$@" \
      "$corpus" "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $harness failed; the input is $build/crash-$harness-*" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  summary+=("$harness: ${runs:-?} executions")
done
printf '%s\n' "${summary[@]}"
