#!/usr/bin/env python3
"""Prints the figures of a velmora_bench JSON report as one table: each figure, its baseline, the ratio
and the budget it is held to."""
import json
import re
import sys

# (figure, benchmark, baseline benchmark or None, budget kind, budget value)
ROWS = [
    ("Load 100 MB collection vs one block read", "BM_LoadFromFile", "BM_ReadBlock", "ratio", 3.0),
    ("Load vs one block read into a new buffer", "BM_LoadFromFile", "BM_ReadBlockNewBuffer", None, None),
    ("Save vs one block write + close", "BM_SaveToFile", "BM_WriteBlock", None, None),
    ("Save vs temp + write + fsync + rename", "BM_SaveToFile", "BM_WriteBlockDurable", None, None),
    ("SortAll of 100,000 clips vs caption sort", "BM_SortAll", "BM_StableSortCaptions", "ms", 500.0),
    ("All Collections view, build + free", "BM_BuildAllCollectionsView", None, "ms", 300.0),
    ("Matches ASCII needle vs grep", "BM_Matches/Ascii", "BM_Grep/Ascii", None, None),
    ("Matches non-ASCII needle vs grep", "BM_Matches/NonAscii", "BM_Grep/NonAscii", None, None),
]


def Milliseconds(run):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
    return run["real_time"] * scale


def Cell(value, digits):
    return "n/a" if value is None else f"{value:.{digits}f}"


def main(path):
    with open(path, encoding="utf-8") as report:
        runs = json.load(report)["benchmarks"]
    # With repetitions, the median of each benchmark; otherwise its one run.
    byName = {}
    medians = set()
    for run in runs:
        name = re.sub(r"/(iterations:\d+|real_time|manual_time)", "", run.get("run_name", run["name"]))
        if run.get("run_type") == "aggregate":
            if run.get("aggregate_name") == "median":
                byName[name] = run
                medians.add(name)
        elif name not in medians:
            byName[name] = run
    repetitions = max((run.get("repetitions", 1) for run in runs), default=1)
    if repetitions > 1:
        print(f"medians of {repetitions} repetitions")

    def Time(name):
        run = byName.get(name)
        if run is None or run.get("error_occurred"):
            return None
        return Milliseconds(run)

    header = f"{'figure':<44} {'ours ms':>9} {'base ms':>9} {'ratio':>7}  budget"
    print(header)
    print("-" * (len(header) + 14))
    for figure, name, baseline, budgetKind, budget in ROWS:
        ours = Time(name)
        base = Time(baseline) if baseline else None
        ratio = ours / base if ours is not None and base else None
        verdict = ""
        if budgetKind == "ratio" and ratio is not None:
            verdict = f"ratio <= {budget:g}: {'met' if ratio <= budget else 'MISSED'}"
        elif budgetKind == "ms" and ours is not None:
            verdict = f"< {budget:g} ms: {'met' if ours < budget else 'MISSED'}"
        print(f"{figure:<44} {Cell(ours, 1):>9} {Cell(base, 1) if baseline else '':>9} "
              f"{Cell(ratio, 2) if baseline else '':>7}  {verdict}")
        if name not in byName or byName[name].get("error_occurred"):
            message = byName.get(name, {}).get("error_message", "not run")
            print(f"    {name}: {message}")

    view = byName.get("BM_BuildAllCollectionsView")
    # The first view of the program is built in the first repetition only; later ones find warm memory.
    firstView = next((run for run in runs if run["name"].startswith("BM_BuildAllCollectionsView")
                      and run.get("run_type") == "iteration" and run.get("repetition_index", 0) == 0), view)
    if view and not view.get("error_occurred"):
        print(f"    view: build {view['build_ms']:.1f} ms + free {view['free_ms']:.1f} ms, "
              f"{view['source_folders']:.0f} source folders merged into {view['view_folders']:.0f}; "
              f"first view of the run: build {firstView['first_build_ms']:.1f} ms + free {firstView['first_free_ms']:.1f} ms")


if __name__ == "__main__":
    main(sys.argv[1])
