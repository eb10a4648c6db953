#!/usr/bin/env bash
# Measures, on a private test desktop, how long a 10 KB text copied by another application (xclip) takes
# to reach the program's clipboard watcher, next to how long `xclip -o` takes to read the same text back.
# Prints the medians of ROUNDS changes (default 50) and their ratio. Run by hand, never by ctest:
#   bench/clipboard/latency.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
rounds="${1:-50}"
if [ -z "${VELMORA_DESKTOP_SCRATCH:-}" ]; then
  scripts/install-deps.sh
  cmake --preset default >/dev/null
  cmake --build --preset default --target velmora-cli >/dev/null
  exec tests/e2e/run-desktop.sh "$0" "$rounds"
fi

cli=build/default/tools/cli/velmora-cli
work="$VELMORA_DESKTOP_SCRATCH/latency"
mkdir -p "$work"
mkfifo "$work/changes"

"$cli" clipboard watch >"$work/changes" 2>"$work/watch.log" &
watcher=$!
trap 'kill "$watcher" 2>/dev/null || true' EXIT
exec 4<"$work/changes"
for _ in $(seq 1 100); do
  grep -q "watching" "$work/watch.log" && break
  sleep 0.05
done

now() { date +%s%N; }
capture=()
copying=()
readback=()
for round in $(seq 1 "$rounds"); do
  # A different 10 KB text each round, so every copy is a change.
  head -c 10240 /dev/zero | tr '\0' 'x' | sed "s/^/round $round /" | head -c 10240 >"$work/text"
  start=$(now)
  timeout 10 xclip -selection clipboard -i "$work/text" >/dev/null 2>&1
  copied=$(now)
  IFS= read -r -t 10 -u 4 _line
  capture+=($(($(now) - start)))
  copying+=($((copied - start)))

  start=$(now)
  timeout 10 xclip -selection clipboard -o >/dev/null 2>&1
  readback+=($(($(now) - start)))
done

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
ours=$(median "${capture[@]}")
peer=$(median "${readback[@]}")
copy=$(median "${copying[@]}")
awk -v ours="$ours" -v peer="$peer" -v copy="$copy" -v rounds="$rounds" 'BEGIN {
  printf "copy by xclip -> captured by the watcher: median %.2f ms over %d changes\n", ours / 1e6, rounds
  printf "  of which xclip -i itself took:           median %.2f ms\n", copy / 1e6
  printf "xclip -o reading the same text:            median %.2f ms\n", peer / 1e6
  printf "ratio: %.2f\n", ours / peer
}'
