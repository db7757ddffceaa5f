#!/usr/bin/env bash
# Runs every fuzz target on a copy of its seed corpus, two at a time, and prints each one's
# executions per second; fails with the target's report when one finds a fault.
#   fuzz/run.sh BUILD-FOLDER [SECONDS-PER-TARGET]     (default 20)
# The inputs a target found are kept in the run's folder, printed at the end, until the next run.
set -euo pipefail
build=$(realpath "$1")
seconds=${2:-20}
fuzz=$(dirname "$(realpath "$0")")
run=${TMPDIR:-/tmp}/sollentra-fuzz
rm -rf "$run"
mkdir -p "$run"

targets=()
for corpus in "$fuzz"/corpus/*/; do
  targets+=("$(basename "$corpus")")
done

fuzz_one() {
  local target=$1
  mkdir -p "$run/$target/corpus" "$run/$target/found"
  cp "$fuzz/corpus/$target"/* "$run/$target/corpus/"
  if "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$run/$target/found/" "$run/$target/corpus" >"$run/$target/log" 2>&1; then
    echo "$target: $(grep -o 'average_exec_per_sec: *[0-9]*' "$run/$target/log" | grep -o '[0-9]*$') exec/s"
  else
    echo "$target: FAILED"
    tail -n 40 "$run/$target/log"
    return 1
  fi
}
export -f fuzz_one
export build seconds fuzz run

printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c 'fuzz_one {}'
echo "corpora and findings: $run"
