#!/usr/bin/env python3
"""Each math tool's recompute on 20,971,520 samples against its engine alone on the same
data, in the same run: a window pick, a Waveform Math operation and source change,
Design Filter and Compile. Rounds of the whole benchmark alternate; the ratios are of the
medians (dialog / engine, target 1.3), with the load average over the rounds.

usage: bench/compare_math_dialogs.py [--rounds N]
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import tempfile

from bench_common import BUILD, build

PAIRS = [
    ("window pick", "BM_window_pick", "BM_window_engine"),
    ("math operation", "BM_math_operation", "BM_arith_engine"),
    ("math source change", "BM_math_source_change", "BM_arith_engine"),
    ("Design Filter", "BM_filter_design", "BM_filter_engine"),
    ("Compile", "BM_compile_dialog", "BM_compile_engine"),
]


def run_once(bench, work):
    out = os.path.join(work, "result.json")
    subprocess.run([bench, "--benchmark_out=" + out, "--benchmark_out_format=json"], cwd=work,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    with open(out) as f:
        runs = json.load(f)["benchmarks"]
    for r in runs:
        if r.get("error_occurred"):
            raise SystemExit("%s: %s" % (r["name"], r.get("error_message")))
    return {r["run_name"].split("/")[0]: r["real_time"] for r in runs}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()
    build("bench_math_dialogs")
    bench = os.path.join(BUILD, "bench", "bench_math_dialogs")
    work = tempfile.mkdtemp(prefix="compare_math_dialogs_", dir=os.path.dirname(bench))
    times, loads = {}, []
    try:
        for _ in range(args.rounds):
            loads.append(os.getloadavg()[0])
            for name, ms in run_once(bench, work).items():
                times.setdefault(name, []).append(ms)
        loads.append(os.getloadavg()[0])
    finally:
        shutil.rmtree(work, ignore_errors=True)
    med = {k: statistics.median(v) for k, v in times.items()}
    print("%d rounds, medians; load average (1 min) %.1f to %.1f over the rounds"
          % (args.rounds, min(loads), max(loads)))
    print("%-20s %10s %10s %8s  %s" % ("recompute", "dialog ms", "engine ms", "ratio", "target"))
    for name, dialog, engine in PAIRS:
        print("%-20s %10.1f %10.1f %8.2f  <= 1.3" % (name, med[dialog], med[engine], med[dialog] / med[engine]))


if __name__ == "__main__":
    main()
