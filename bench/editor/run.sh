#!/usr/bin/env bash
# Builds the editor data benchmarks in the default preset, runs them and prints a table of the figures
# and their ratios to the baselines. Extra arguments go to the program (e.g. --benchmark_filter=Find).
# VELMORA_BUILD_DIR names an already configured build tree to run from instead of the default preset.
set -euo pipefail
cd "$(dirname "$0")/../.."

build="${VELMORA_BUILD_DIR:-}"
if [ -z "$build" ]; then
  scripts/install-deps.sh
  cmake --preset default >/dev/null
  cmake --build --preset default --target velmora_editor_bench
  build=build/default
fi
program="$build/bench/editor/velmora_editor_bench"

# The program makes its scratch folder inside this one; removing it here also cleans up after a crash.
scratch="$(mktemp -d "${TMPDIR:-/tmp}/velmora-editor-bench-run.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
report="$scratch/report.json"

TMPDIR="$scratch" "$program" --benchmark_out="$report" --benchmark_out_format=json "$@"
echo
python3 - "$report" <<'PYTHON'
import json
import re
import sys

with open(sys.argv[1], encoding="utf-8") as file:
    runs = {re.sub(r"/(iterations:\d+|real_time)", "", run["name"]): run
            for run in json.load(file)["benchmarks"] if run.get("run_type", "iteration") == "iteration"}

def usable(name):
    run = runs.get(name)
    return run if run and not run.get("error_occurred") else None

def milliseconds(name):
    run = usable(name)
    if not run:
        return None
    return run["real_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]

def median(name):
    run = usable(name)
    return run["median_ns"] if run else None

def cell(value, unit):
    return "n/a" if value is None else f"{value:,.1f} {unit}"

# (figure, ours, baseline, unit); a figure without baseline has no ratio.
rows = []
for size in (10, 100):
    rows.append((f"one-byte edit near a moving caret, {size} MB: median per op",
                 median(f"BM_DataEdits/NearCaret/{size}"), median(f"BM_StringEdits/NearCaret/{size}"), "ns"))
for size in (10, 100):
    rows.append((f"one-byte edit at random places, {size} MB: median per op",
                 median(f"BM_DataEdits/Random/{size}"), None, "ns"))
rows.append(("FindText forward over 100 MB vs memmem", milliseconds("BM_FindText/Forward"),
             milliseconds("BM_Memmem"), "ms"))
rows.append(("FindText backward over 100 MB vs memmem", milliseconds("BM_FindText/Backward"),
             milliseconds("BM_Memmem"), "ms"))
for kind in ("Ascii", "NonAscii"):
    rows.append((f"FindTextIgnoreCase, {kind} needle, vs grep -c -i -F", milliseconds(f"BM_FindTextIgnoreCase/{kind}"),
                 milliseconds(f"BM_GrepIgnoreCase/{kind}"), "ms"))
rows.append(("LoadFromFile of 100 MB UTF-16 vs reading its bytes", milliseconds("BM_LoadUtf16File"),
             milliseconds("BM_ReadUtf16FileBytes"), "ms"))

print(f"{'figure':<62} {'ours':>14} {'baseline':>14} {'ratio':>7}")
print("-" * 100)
for figure, ours, base, unit in rows:
    ratio = f"{ours / base:.3g}" if ours is not None and base else ""
    print(f"{figure:<62} {cell(ours, unit):>14} {cell(base, unit) if base is not None else '':>14} {ratio:>7}")
print("The baseline of the edits near the caret is std::string at the same places. Each edit's time")
print("includes one pair of clock readings (clock_ns in the program's output).")
PYTHON
