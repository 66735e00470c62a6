#!/bin/sh
# Replays each fuzz target's corpus, then fuzzes it for the given seconds.
# All targets run at once. fuzz.sh <build folder> <seconds>
#
# Each target's corpus folder holds inputs only: the fuzzer reads every file
# in it, so a log kept there became an input of its own, a larger one at
# every reload. While fuzzing, ASan records no allocation stacks
# (malloc_context_size=0): recording one per allocation cost the targets
# that allocate most a fifth of their runs. A fault found is replayed with
# the full stacks for the report.
set -eu
cd "$(dirname "$0")/.."
dir="$1"; secs="$2"
status=0
pids=""
for bin in "$dir"/tests/fuzz/fuzz_*; do
  [ -x "$bin" ] || continue
  name=$(basename "$bin" | sed 's/^fuzz_//')
  corpus="tests/fuzz/corpus/$name"
  work="$dir/fuzz-work/$name"
  mkdir -p "$work/corpus" "$work/found"
  (
    "$bin" -runs=0 "$corpus" >"$work/replay.log" 2>&1 || { echo "replay of $name failed"; cat "$work/replay.log"; exit 1; }
    if ! ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}malloc_context_size=0" \
      "$bin" -max_total_time="$secs" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="$work/found/" "$work/corpus" "$corpus" >"$work/fuzz.log" 2>&1; then
      echo "fuzzing $name found a fault"
      tail -n 60 "$work/fuzz.log"
      for found in "$work"/found/*; do
        [ -f "$found" ] || continue
        echo "== replay of $found with full stacks"
        "$bin" -timeout=10 -rss_limit_mb=2048 "$found" 2>&1 | tail -n 80
      done
      exit 1
    fi
    echo "fuzz $name: $(grep -o 'Done [0-9]* runs' "$work/fuzz.log" || echo done) ($(grep -o 'exec/s: [0-9]*' "$work/fuzz.log" | tail -n 1))"
  ) &
  pids="$pids $!"
done
for p in $pids; do wait "$p" || status=1; done
exit $status
