#!/usr/bin/python3
"""The filter engine beside numpy/scipy on 20,971,520 samples, in one session, rounds
alternated, medians of each:
- the cascade of an 8th-order design (four sections) against scipy.signal.sosfilt on
  the same data (float32 values, as float64 for scipy) and the same sections, over the
  whole array and over 1 Mi-sample chunks (the whole array's fresh 160 MB output makes
  its time swing with the machine's memory load);
- filtering file to file (design, both passes, requantised samples written) against the
  numpy/scipy pipeline on the same file: fromfile, to volts, sosfilt, voltage window,
  requantise, tofile;
- design and response table at each family's highest accepted order against scipy's
  order estimate, design (second-order sections) and sosfreqz of the same specification;
- the peak memory of a filtering process.
Ratios are ours / scipy's (below 1 is faster); the load average stands beside each.

Needs Debian's python3-numpy and python3-scipy.
usage: bench/compare_filter.py [--rounds N]
"""
import argparse
import csv
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def require_scipy():
    try:
        import numpy  # noqa: F401
        import scipy.signal  # noqa: F401
    except ImportError:
        system = "/usr/bin/python3"
        if os.path.exists(system) and os.path.realpath(sys.executable) != os.path.realpath(system):
            os.execv(system, [system] + sys.argv)  # Debian's packages live with Debian's python
        sys.exit("compare_filter.py needs numpy and scipy: apt-get install python3-numpy python3-scipy")


require_scipy()

import numpy as np  # noqa: E402
from scipy import signal  # noqa: E402

from bench_common import BUILD, build, peak_rss_mb  # noqa: E402

N = 20_971_520
FAMILIES = ["Butterworth", "Chebyshev", "inverse Chebyshev", "elliptic"]


def run_ours(exe, work, name):
    """One run of one benchmark: its real time in ms."""
    out = os.path.join(work, "round.json")
    subprocess.run([exe, "--benchmark_filter=^%s$" % name, "--benchmark_repetitions=1",
                    "--benchmark_out=" + out, "--benchmark_out_format=json"],
                   cwd=work, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(out) as f:
        run = json.load(f)["benchmarks"][0]
    return run["real_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]


def timed(fn):
    start = time.perf_counter()
    fn()
    return (time.perf_counter() - start) * 1000.0


def chunked_sosfilt(sos, x):
    """sosfilt with its state carried over 1 Mi-sample chunks: no 160 MB output to fault in."""
    zi = np.zeros((sos.shape[0], 2))
    step = 1 << 20
    for at in range(0, len(x), step):
        _, zi = signal.sosfilt(sos, x[at:at + step], zi=zi)


def pipeline(src, dst, sos, amp, offset):
    s = np.fromfile(src, dtype=np.int16)
    v = (s / 32767.0 * (amp * 0.5) + offset).astype(np.float32)
    y = signal.sosfilt(sos, v.astype(np.float64)).astype(np.float32)
    hi, lo = float(y.max()), float(y.min())
    if hi > offset + 0.5 * amp or lo < offset - 0.5 * amp:
        amp, offset = hi - lo, (hi + lo) * 0.5
    q = ((y.astype(np.float64) - offset) / (amp * 0.5) * 32767.0).astype(np.float32)
    np.clip(np.trunc(q), -32768, 32767).astype(np.int16).tofile(dst)


def scipy_design(spec):
    fs, wp, ws, ap, ast = spec["fs"], spec["e1"], spec["e2"], -spec["apass"], -spec["astop"]
    fam = spec["family"]
    if fam == 0:
        n, wn = signal.buttord(wp, ws, ap, ast, fs=fs)
        sos = signal.butter(n, wn, output="sos", fs=fs)
    elif fam == 1:
        n, wn = signal.cheb1ord(wp, ws, ap, ast, fs=fs)
        sos = signal.cheby1(n, ap, wn, output="sos", fs=fs)
    elif fam == 2:
        n, wn = signal.cheb2ord(wp, ws, ap, ast, fs=fs)
        sos = signal.cheby2(n, ast, wn, output="sos", fs=fs)
    else:
        n, wn = signal.ellipord(wp, ws, ap, ast, fs=fs)
        sos = signal.ellip(n, ap, ast, wn, output="sos", fs=fs)
    signal.sosfreqz(sos, worN=1001, fs=fs)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()
    build("bench_filter")
    exe = os.path.join(BUILD, "bench", "bench_filter")
    # Same file system as the build, so both sides read and write alike.
    work = tempfile.mkdtemp(prefix="compare_filter_", dir=os.path.dirname(exe))
    try:
        subprocess.run([exe, "--write-inputs=" + work], check=True, stdout=subprocess.DEVNULL)
        with open(os.path.join(work, "specs.csv")) as f:
            specs = {r["what"]: {k: (float(v) if k != "what" else v) for k, v in r.items()}
                     for r in csv.DictReader(f)}
        for s in specs.values():
            s["family"] = int(s["family"])
        sos = np.loadtxt(os.path.join(work, "sections.csv"), delimiter=",", ndmin=2)
        x = np.fromfile(os.path.join(work, "cascade_input.f32"), dtype=np.float32).astype(np.float64)
        src, dst = os.path.join(work, "source.i16"), os.path.join(work, "pipeline_out.i16")
        d8 = specs["design8"]

        ours, theirs, loads = {}, {}, {}

        def note(key, mine, other):
            ours.setdefault(key, []).append(mine)
            theirs.setdefault(key, []).append(other)
            loads.setdefault(key, []).append(os.getloadavg()[0])

        # Each of our runs sits next to its peer, the order swapped every round, so both
        # see the same load.
        pairs = [("cascade vs sosfilt", "BM_cascade/real_time", lambda: signal.sosfilt(sos, x)),
                 ("cascade vs sosfilt in 1 Mi chunks", "BM_cascade/real_time", lambda: chunked_sosfilt(sos, x)),
                 ("end to end (do_filter)", "BM_do_filter/real_time",
                  lambda: pipeline(src, dst, sos, d8["amp"], d8["offset"])),
                 ("end to end (filter_cal)", "BM_filter_cal/real_time",
                  lambda: pipeline(src, dst, sos, d8["amp"], d8["offset"]))]
        pairs += [("design + response, " + FAMILIES[i], "BM_design/%d/real_time" % i,
                   lambda i=i: scipy_design(specs["highest%d" % i])) for i in range(4)]
        for r in range(args.rounds):
            for key, name, peer in pairs:
                if r % 2:
                    other = timed(peer)
                    mine = run_ours(exe, work, name)
                else:
                    mine = run_ours(exe, work, name)
                    other = timed(peer)
                note(key, mine, other)

        print("20,971,520 samples, %d rounds alternated, medians; ratio = ours / scipy" % args.rounds)
        print("%-36s %10s %10s %8s %6s" % ("", "ours ms", "scipy ms", "ratio", "load"))
        for key in ours:
            a, b = statistics.median(ours[key]), statistics.median(theirs[key])
            print("%-36s %10.2f %10.2f %8.3f %6.1f" % (key, a, b, a / b, statistics.median(loads[key])))
        peak = peak_rss_mb("bench_filter", "^BM_do_filter/")
        base = peak_rss_mb("bench_filter", "^BM_design/0/")
        print("peak memory of filtering 20,971,520 samples: %.1f MiB (the same process designing only: %.1f MiB),"
              " load %.1f" % (peak, base, os.getloadavg()[0]))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
