#!/usr/bin/python3
"""Runs bench_math beside numpy doing the same work, in alternating rounds, and prints
the ratios of the medians (ours / numpy; below 1 we are faster) with the load average
of the rounds, then the peak memory of each operation.

  Hanning, 20,971,520 samples:  np.fromfile, multiply by np.hanning, truncate, tofile
  add / mul / div, 20,971,520:  both files read, volts combined, floats written to a
                                scratch file, their extremes taken, the scratch read back,
                                the codes written into the second file
  equation, 1,000,000 samples:  "k1=2.5" and "k1*sin(2*pi*x)*exp(0-3*x)+x^2" against the
                                same expression in float32: evaluated alone, and end to
                                end (scratch file, scaling, sample file)
  sine, 20,971,520 samples:     the compile of "sin(2*pi*x)" against the same, end to end

Needs Debian's python3-numpy (hence /usr/bin/python3).
usage: bench/compare_math.py [--rounds N]
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

try:
    import numpy as np
except ImportError:
    if sys.executable != "/usr/bin/python3" and os.path.exists("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    sys.exit("compare_math.py needs numpy: apt-get install python3-numpy")

from bench_common import BUILD, build

N = 20_971_520
EQ_N = 1_000_000


def pattern(seed):
    i = np.arange(N, dtype=np.uint64)
    return ((i * 7919 + seed * 104729) % 65535).astype(np.int64) - 32767


def timed(fn):
    start = time.perf_counter()
    fn()
    return (time.perf_counter() - start) * 1000.0


def numpy_hanning(src, dst):
    s = np.fromfile(src, dtype=np.int16)
    (s * np.hanning(s.size)).astype(np.int16).tofile(dst)


def numpy_arith(op, a_path, b_path, scratch):
    a = np.fromfile(a_path, dtype=np.int16)
    b = np.fromfile(b_path, dtype=np.int16)
    va = 0.5 + a * (3.0 * 0.5 / 32767.0)
    vb = -0.25 + b * (2.0 * 0.5 / 32767.0)
    if op == "add":
        r = (va + vb).astype(np.float32)
    elif op == "mul":
        r = (va * vb).astype(np.float32)
    else:
        fb = vb.astype(np.float32)
        fb[fb == 0] = np.float32(1e-7)
        r = (va.astype(np.float32).astype(np.float64) / fb).astype(np.float32)
    r.tofile(scratch)
    hi, lo = float(r.max()), float(r.min())
    amp = max(np.float32(hi - lo), np.float32(0.1))
    off = np.float32((hi + lo) * 0.5)
    back = np.fromfile(scratch, dtype=np.float32)
    codes = ((back - off) / amp * 32767.0 * 2.0).astype(np.int16)
    with open(b_path, "r+b") as f:
        codes.tofile(f)
    os.remove(scratch)


def numpy_equation(end_to_end, scratch, out, sine=False):
    n = N if sine else EQ_N
    x = (np.arange(n, dtype=np.float64) / n).astype(np.float32)
    if sine:
        v = np.sin(np.float32(2 * np.pi) * x)
    else:
        k1 = np.float32(2.5)
        v = k1 * np.sin(np.float32(2 * np.pi) * x) * np.exp(np.float32(-3) * x) + x ** np.float32(2)
    if not end_to_end:
        return
    v.tofile(scratch)
    lo, hi = float(v.min()), float(v.max())
    half, mid = np.float32((hi - lo) * 0.5), np.float32((hi + lo) * 0.5)
    back = np.fromfile(scratch, dtype=np.float32)
    ((back - mid) / half * 32767.0).astype(np.int16).tofile(out)
    os.remove(scratch)


def run_ours(bench, work):
    out = os.path.join(work, "result.json")
    subprocess.run([bench, "--benchmark_out=" + out, "--benchmark_out_format=json"], cwd=work,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    with open(out) as f:
        runs = json.load(f)["benchmarks"]
    return {r["run_name"].replace("/real_time", ""): r["real_time"] for r in runs}


def peak_mib(bench, name, work):
    err = subprocess.run([bench, "--peak=" + name], cwd=work, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True, check=True).stderr.split()
    return int(err[-1]) / 1024.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()
    build("bench_math")
    bench = os.path.join(BUILD, "bench", "bench_math")

    # Same file system as the build, so both sides write where the other does.
    work = tempfile.mkdtemp(prefix="compare_math_", dir=os.path.dirname(bench))
    try:
        a_path, b_path = os.path.join(work, "a.bin"), os.path.join(work, "b.bin")
        pristine = pattern(2).astype(np.int16)
        pattern(1).astype(np.int16).tofile(a_path)
        scratch, out = os.path.join(work, "scratch.bin"), os.path.join(work, "out.bin")
        keys = ["BM_window_hanning", "BM_arith/add", "BM_arith/mul", "BM_arith/div", "BM_compile_sine",
                "BM_compile/1", "BM_compile/0"]
        ours = {k: [] for k in keys}
        numpy_ms = {k: [] for k in ["hanning", "add", "mul", "div", "sine", "eq_eval", "eq_end"]}
        loads = []
        for _ in range(args.rounds):
            loads.append(os.getloadavg()[0])
            got = run_ours(bench, work)
            for k in keys:
                ours[k].append(got[k])
            numpy_ms["hanning"].append(timed(lambda: numpy_hanning(a_path, out)))
            for op in ("add", "mul", "div"):
                pristine.tofile(b_path)
                numpy_ms[op].append(timed(lambda: numpy_arith(op, a_path, b_path, scratch)))
            numpy_ms["sine"].append(timed(lambda: numpy_equation(True, scratch, out, sine=True)))
            numpy_ms["eq_eval"].append(timed(lambda: numpy_equation(False, scratch, out)))
            numpy_ms["eq_end"].append(timed(lambda: numpy_equation(True, scratch, out)))
        loads.append(os.getloadavg()[0])
        med = {k: statistics.median(v) for k, v in ours.items()}
        npm = {k: statistics.median(v) for k, v in numpy_ms.items()}
        peaks = {name: peak_mib(bench, name, work)
                 for name in ("hanning", "add", "mul", "div", "compile_sine", "compile_fast", "compile_text")}
    finally:
        shutil.rmtree(work, ignore_errors=True)

    print("%d alternated rounds, medians; load average (1 min) %.1f to %.1f over the rounds"
          % (args.rounds, min(loads), max(loads)))
    rows = [
        ("Hanning, 20,971,520 samples / numpy", med["BM_window_hanning"], npm["hanning"], "<= 0.5"),
        ("addition / numpy", med["BM_arith/add"], npm["add"], "<= 1"),
        ("multiplication / numpy", med["BM_arith/mul"], npm["mul"], "<= 1"),
        ("division / numpy", med["BM_arith/div"], npm["div"], "<= 1"),
        ("compile sine, 20,971,520 / numpy end to end", med["BM_compile_sine"], npm["sine"], "-"),
        ("compile 1M, compiled path / numpy evaluation", med["BM_compile/1"], npm["eq_eval"], "<= 100 (aim 20)"),
        ("compile 1M, textual only / numpy evaluation", med["BM_compile/0"], npm["eq_eval"], "<= 100"),
        ("compile 1M, compiled path / numpy end to end", med["BM_compile/1"], npm["eq_end"], "-"),
        ("compile 1M, textual only / numpy end to end", med["BM_compile/0"], npm["eq_end"], "-"),
    ]
    print("%-48s %10s %10s %8s  %s" % ("ratio", "ours ms", "numpy ms", "ratio", "required"))
    for name, o, n, limit in rows:
        print("%-48s %10.1f %10.1f %8.2f  %s" % (name, o, n, o / n, limit))
    print("peak memory (MiB, limit 400): " + ", ".join("%s %.0f" % kv for kv in peaks.items()))


if __name__ == "__main__":
    main()
