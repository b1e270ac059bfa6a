#!/usr/bin/python3
"""Runs bench_generators beside numpy in one session and prints the ratios the
generators are held to (ours / baseline; below the limit is good).

(Debian's python3-numpy, hence /usr/bin/python3.)
usage: bench/compare_generators.py [path/to/bench_generators] [--repetitions N]
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import tempfile
import time

import numpy as np

N = 20_971_520


def median_ms(fn, repetitions):
    times = []
    for _ in range(repetitions):
        start = time.perf_counter()
        fn()
        times.append((time.perf_counter() - start) * 1000.0)
    return statistics.median(times)


def numpy_sinc(x):
    return np.sinc(x)


def numpy_noise():
    v = np.random.default_rng(1).standard_normal(N)
    lo, hi = v.min(), v.max()
    return ((2.0 * (v - lo) / (hi - lo) - 1.0) * 32767.0).astype(np.int16)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("bench", nargs="?",
                        default=os.path.join(here, "..", "build", "release", "bench", "bench_generators"))
    parser.add_argument("--repetitions", type=int, default=7)
    args = parser.parse_args()
    bench = os.path.abspath(args.bench)

    # Same file system as the build, so every write lands where the baselines' do.
    work = tempfile.mkdtemp(prefix="compare_generators_", dir=os.path.dirname(bench))
    try:
        result = os.path.join(work, "result.json")
        subprocess.run([bench, "--benchmark_repetitions=%d" % args.repetitions,
                        "--benchmark_report_aggregates_only=true",
                        "--benchmark_out=" + result, "--benchmark_out_format=json"],
                       cwd=work, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, check=True)
        with open(result) as f:
            runs = json.load(f)["benchmarks"]
        ours = {}
        for run in runs:
            if run.get("aggregate_name") == "median":
                ours[run["run_name"].replace("/real_time", "")] = run["real_time"]  # ms

        x = np.linspace(-10.0, 10.0, N, dtype=np.float32)
        sinc_ms = median_ms(lambda: numpy_sinc(x), args.repetitions)
        noise_ms = median_ms(numpy_noise, args.repetitions)

        peaks = {}
        for name in ["sine_template", "sine_computed", "square", "ramp", "pulse", "noise", "dc", "sinc",
                     "stair", "exp", "multi_pulse"]:
            out = subprocess.run([bench, "--peak=" + name], cwd=work, capture_output=True, text=True,
                                 check=True).stdout.split()
            peaks[name] = int(out[-1]) / 1024.0  # MiB
    finally:
        shutil.rmtree(work, ignore_errors=True)

    fwrite = ours["BM_fwrite"]
    print("20,971,520 points, 10 cycles, phase 30 unless said otherwise")
    print("baselines (ms): fwrite 40 MB %.1f, template read + fwrite %.1f, np.sinc %.1f, numpy noise %.1f, cmp %.1f"
          % (fwrite, ours["BM_template_read_fwrite"], sinc_ms, noise_ms, ours["BM_cmp"]))
    rows = [
        ("ramp / fwrite", ours["BM_generate/ramp"] / fwrite, 3.0),
        ("pulse / fwrite", ours["BM_generate/pulse"] / fwrite, 3.0),
        ("multi-pulse / fwrite", ours["BM_generate/multi_pulse"] / fwrite, 3.0),
        ("sinc / fwrite", ours["BM_generate/sinc"] / fwrite, 5.0),
        ("exponential / fwrite", ours["BM_generate/exp"] / fwrite, 5.0),
        ("sinc / np.sinc", ours["BM_generate/sinc"] / sinc_ms, 1.0),
        ("sinc, one cycle / np.sinc", ours["BM_generate/sinc_c1"] / sinc_ms, None),
        ("sine (template) / (template read + fwrite)",
         ours["BM_generate/sine_template"] / ours["BM_template_read_fwrite"], 2.0),
        ("sine (template), one cycle / (template read + fwrite)",
         ours["BM_generate/sine_template_c1"] / ours["BM_template_read_fwrite"], 2.0),
        ("sine (computed) / fwrite", ours["BM_generate/sine_computed"] / fwrite, 8.0),
        ("noise / numpy normal + rescale", ours["BM_generate/noise"] / noise_ms, 2.5),
        ("equality of identical files / cmp", ours["BM_equal/0"] / ours["BM_cmp"], 2.0),
        ("equality, first block differs / identical", ours["BM_equal/1"] / ours["BM_equal/0"], None),
        ("square / fwrite", ours["BM_generate/square"] / fwrite, None),
        ("stair / fwrite", ours["BM_generate/stair"] / fwrite, None),
        ("dc / fwrite", ours["BM_generate/dc"] / fwrite, None),
    ]
    print("%-52s %8s %8s" % ("ratio", "measured", "limit"))
    for name, ratio, limit in rows:
        print("%-52s %8.2f %8s" % (name, ratio, "-" if limit is None else "%.1f" % limit))
    print("peak memory (MiB, limit 400, noise 800): " +
          ", ".join("%s %.0f" % (k, v) for k, v in peaks.items()))


if __name__ == "__main__":
    main()
