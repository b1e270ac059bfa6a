#!/usr/bin/python3
"""Runs the .csv benchmarks of bench_files beside pandas on the same file and prints
the ratios (pandas time / our time) and our read throughput.

(Debian's python3-pandas, hence /usr/bin/python3.)
usage: bench/compare_files.py [path/to/bench_files] [--repetitions N]
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

import pandas


def median_seconds(fn, repetitions):
    times = []
    for _ in range(repetitions):
        start = time.perf_counter()
        fn()
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("bench", nargs="?",
                        default=os.path.join(here, "..", "build", "release", "bench", "bench_files"))
    parser.add_argument("--repetitions", type=int, default=5)
    args = parser.parse_args()

    # Same file system as the build, not a RAM disk, so both sides pay the same I/O.
    work = tempfile.mkdtemp(prefix="compare_files_", dir=os.path.dirname(os.path.abspath(args.bench)))
    try:
        result = os.path.join(work, "result.json")
        subprocess.run([os.path.abspath(args.bench),
                        "--benchmark_repetitions=%d" % args.repetitions,
                        "--benchmark_report_aggregates_only=true",
                        "--benchmark_out=" + result, "--benchmark_out_format=json"],
                       cwd=work, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, check=True)
        with open(result) as f:
            runs = json.load(f)["benchmarks"]
        ours = {}
        for run in runs:
            if run.get("aggregate_name") == "median":
                name = run["run_name"].split("/")[0]
                ours[name] = run["real_time"] / 1000.0  # milliseconds
        csv_path = os.path.join(work, "bench_files.csv")
        size = os.path.getsize(csv_path)

        frame = None

        def pandas_read():
            nonlocal frame
            frame = pandas.read_csv(csv_path, skiprows=12)

        pandas_read_s = median_seconds(pandas_read, args.repetitions)
        rows = len(frame)
        out_path = os.path.join(work, "pandas.csv")
        pandas_write_s = median_seconds(lambda: frame.to_csv(out_path, index=False),
                                        max(1, args.repetitions // 2))

        print("rows %d, file %.1f MB, medians of %d runs" % (rows, size / 1e6, args.repetitions))
        print("read : ours %.3f s (%.0f MB/s), pandas.read_csv %.3f s, ratio %.2fx"
              % (ours["BM_csv_read"], size / 1e6 / ours["BM_csv_read"], pandas_read_s,
                 pandas_read_s / ours["BM_csv_read"]))
        print("write: ours %.3f s (%.0f MB/s), DataFrame.to_csv %.3f s, ratio %.2fx"
              % (ours["BM_csv_write"], size / 1e6 / ours["BM_csv_write"], pandas_write_s,
                 pandas_write_s / ours["BM_csv_write"]))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
