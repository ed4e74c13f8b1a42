#!/usr/bin/env bash
# Whole-process cost of logo_wrap beside the byte-copy floor (cat), its peak
# memory, and the start-up cost on a typical 2 MiB logo; then the checksum
# microbenchmark. Builds what it needs first. Prints figures, asserts nothing.
#
#   bench/run_bench.sh [pairs]        (default 15 pairs after a warm-up)
set -euo pipefail
cd "$(dirname "$0")/.."
pairs=${1:-15}

cmake --workflow --preset bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp build/bench/bin/logo_wrap "$work/"

# Wall time of one command in milliseconds, read from the shell's own clock
# (no date process around the command).
time_ms() {
  local start=$EPOCHREALTIME
  "$@"
  local end=$EPOCHREALTIME
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f\n", (e - s) * 1000 }'
}
run_wrap() { "$work/logo_wrap" </dev/null >/dev/null; }
run_cat() { cat "$work/logo.bin" >"$work/copy.bin"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Alternating pairs, so drift in the machine's speed hits both sides alike.
compare() {
  local label=$1 runs=$2 wrap_times=() cat_times=()
  run_wrap; run_cat  # warm-up: page cache, binary, existing outputs
  for ((i = 0; i < runs; i++)); do
    wrap_times+=("$(time_ms run_wrap)")
    cat_times+=("$(time_ms run_cat)")
  done
  local wrap_median cat_median
  wrap_median=$(printf '%s\n' "${wrap_times[@]}" | median)
  cat_median=$(printf '%s\n' "${cat_times[@]}" | median)
  echo "$label: logo_wrap median ${wrap_median} ms, cat median ${cat_median} ms," \
       "ratio $(awk -v w="$wrap_median" -v c="$cat_median" 'BEGIN { printf "%.2f", (c > 0 ? w / c : 0) }')" \
       "over $runs pairs (logo_wrap: ${wrap_times[*]}; cat: ${cat_times[*]})"
}

head -c $((256 << 20)) /dev/urandom >"$work/logo.bin"
compare "256 MiB" "$pairs"
peak_kib=$(/usr/bin/time -f %M "$work/logo_wrap" </dev/null 2>&1 >/dev/null | tail -n 1)
echo "256 MiB: logo_wrap peak resident memory ${peak_kib} KiB" \
     "(input 262144 KiB; limit input + 8 MiB = 270336 KiB)"

head -c $((2 << 20)) /dev/urandom >"$work/logo.bin"
compare "2 MiB" $((pairs * 3))

echo
build/bench/bin/sum_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null
