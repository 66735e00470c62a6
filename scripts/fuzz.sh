#!/bin/sh
# Replays each fuzz target's corpus, then fuzzes it for the given seconds.
# All targets run at once. fuzz.sh <build folder> <seconds>
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
  mkdir -p "$work"
  (
    "$bin" -runs=0 "$corpus" >"$work/replay.log" 2>&1 || { echo "replay of $name failed"; cat "$work/replay.log"; exit 1; }
    "$bin" -max_total_time="$secs" -max_len=${FUZZ_MAX_LEN:-65536} -rss_limit_mb=2048 -timeout=10 "$work" "$corpus" >"$work/fuzz.log" 2>&1 \
      || { echo "fuzzing $name found a fault"; tail -n 60 "$work/fuzz.log"; exit 1; }
    echo "fuzz $name: $(grep -o 'Done [0-9]* runs' "$work/fuzz.log" || echo done)"
  ) &
  pids="$pids $!"
done
for p in $pids; do wait "$p" || status=1; done
exit $status
