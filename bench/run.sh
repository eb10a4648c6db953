#!/usr/bin/env bash
# Builds the benchmark program in the default preset, runs it and prints a table of the figures and
# their ratios to the baselines (medians of three repetitions). Extra arguments go to the program, after
# the defaults, so they may override them (e.g. --benchmark_filter=Sort --benchmark_repetitions=1).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target velmora_bench

# The program makes its scratch folder inside this one; removing it here also cleans up after a crash.
scratch="$(mktemp -d "${TMPDIR:-/tmp}/velmora-bench-run.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
report=build/default/bench/velmora_bench.json

TMPDIR="$scratch" build/default/bench/velmora_bench \
  --benchmark_repetitions=3 --benchmark_display_aggregates_only=true \
  --benchmark_out="$report" --benchmark_out_format=json "$@"
echo
python3 bench/summarize.py "$report"
