#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (ASan + UBSan) in their own folder and runs each
# for FUZZ_SECONDS, starting from its seed corpus in tests/fuzz/corpus/<name>/. New inputs go
# to <build>/corpus/<name>/; a crash or broken property leaves <build>/crashes/<name>-*.
# Usage: scripts/fuzz.sh [build-dir] [seconds] [name...]
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-${FUZZ_SECONDS:-60}}
shift $(( $# > 2 ? 2 : $# ))
names=("$@")
[ ${#names[@]} -gt 0 ] || names=($(ls tests/fuzz/corpus))
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTW_FUZZ=ON ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} ||
    exit 1
fi
cmake --build "$build" -j "$(nproc)" --target $(printf '%s_fuzz ' "${names[@]}") || exit 1
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/crashes"
failed=()
for name in "${names[@]}"; do
  mkdir -p "$build/corpus/$name"
  log="$build/$name.log"
  "$build/tests/fuzz/${name}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/crashes/$name-" \
    "$build/corpus/$name" "tests/fuzz/corpus/$name" > "$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "$name: ${runs:-?} executions in ${seconds} s, exit $rc"
  [ $rc -eq 0 ] || { failed+=("$name"); grep -m5 -E "ERROR|SUMMARY|property broken|runtime error" "$log"; }
done
[ ${#failed[@]} -eq 0 ] || { echo "findings in: ${failed[*]} (see $build/crashes, $build/*.log)"; exit 1; }
