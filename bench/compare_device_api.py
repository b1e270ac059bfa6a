#!/usr/bin/env python3
"""The exported API and its file readers, as ratios measured in one run with the rounds
alternated; the load average stands beside each figure.

  exports   awg_set_freqency, awg_set_wave_ampl, awg_set_wave_type over a counting
            transport against a direct replay of their transport calls (CPU time; aim:
            within 3x), with the register writes per export as a regression figure
  import    cfg_text2bin_wave_data_t::convert of a 524288-line Amplitude-form export
            against numpy.loadtxt (aim: 5x faster) and pandas.read_csv (aim: within 2x)
            of the same column with the same scaling, each writing the same 32768 bytes
            without syncing; and the 100-line export against the large one (aim: 1/50)
  raw file  cfg_builtin_wave_map_t::read_file of 32 MiB against one read() (aim: 2x); wall
            and CPU time, as filling fresh pages from user space costs wall time under
            virtualisation that the kernel's own copy does not

Python runs with the Debian numpy and pandas (/usr/bin/python3)."""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

from bench_common import BUILD, build

PY = "/usr/bin/python3"
PEER = r'''
import sys, time
import numpy as np
import pandas as pd
path, which, rounds = sys.argv[1], sys.argv[2], int(sys.argv[3])
def scale(values, name):
    peak = max(abs(np.float32(max(values.max(), 0.0))), abs(np.float32(min(values.min(), 0.0))))
    factor = 32767.0 / float(peak) if peak else 0.0
    out = np.zeros(16384, dtype="<i2")
    head = values[:16384].astype(np.float64) * factor
    out[:len(head)] = np.trunc(head).astype(np.int16)
    out.tofile(name)
times = []
for _ in range(rounds):
    start = time.perf_counter()
    if which == "numpy":
        values = np.loadtxt(path, skiprows=1, dtype=np.float32)
    else:
        values = pd.read_csv(path, skiprows=1, header=None, dtype=np.float32, engine="c")[0].to_numpy()
    scale(values, which + ".bin")
    times.append(time.perf_counter() - start)
print(" ".join("%.9f" % t for t in times))
'''


def bench(exe, work, bench_filter, reps):
    out = os.path.join(work, "result.json")
    subprocess.run([exe, f"--benchmark_filter={bench_filter}", f"--benchmark_repetitions={reps}",
                    "--benchmark_enable_random_interleaving=true",
                    f"--benchmark_out={out}", "--benchmark_out_format=json"],
                   cwd=work, check=True, stdout=subprocess.DEVNULL)
    with open(out) as f:
        data = json.load(f)
    res = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
            res[b["run_name"].replace("/real_time", "")] = (b["real_time"] * scale, b["cpu_time"] * scale, b)
    return res


def peer(work, which, rounds):
    out = subprocess.run([PY, "-c", PEER, os.path.join(work, "amplitude_524288.csv"), which, str(rounds)],
                         cwd=work, check=True, capture_output=True, text=True).stdout
    return [float(t) for t in out.split()]


build("bench_device_api")
exe = os.path.join(BUILD, "bench", "bench_device_api")
with tempfile.TemporaryDirectory() as work:
    loads = [os.getloadavg()[0]]
    exports = bench(exe, work, "BM_export|BM_direct", 9)
    loads.append(os.getloadavg()[0])
    ours, np_t, pd_t, raw = [], [], [], []
    small = []
    for _ in range(3):
        r = bench(exe, work, "BM_import|BM_map_read_file|BM_plain_read", 3)
        ours.append(r["BM_import/524288"][0])
        small.append((r["BM_import/100"][0], r["BM_import/100"][1], r["BM_import/524288"][1]))
        raw.append((r["BM_map_read_file"][0] / r["BM_plain_read"][0], r["BM_map_read_file"][1] / r["BM_plain_read"][1]))
        np_t += peer(work, "numpy", 1)
        pd_t += peer(work, "pandas", 3)
        loads.append(os.getloadavg()[0])
    load = "load %.1f-%.1f" % (min(loads), max(loads))
    for name in ["freq", "ampl", "wave_type"]:
        e, d = exports[f"BM_export/{name}"], exports[f"BM_direct/{name}"]
        print(f"export {name:9s} export / direct CPU {e[1] / d[1]:6.2f} x   register writes per export "
              f"{e[2].get('register_writes', 0):5.1f}   transport ops {e[2].get('transport_ops', 0):5.1f}   {load}")
    big = statistics.median(ours)
    print(f"import 524288 lines: numpy.loadtxt / ours {statistics.median(np_t) / big:6.2f} x   "
          f"ours / pandas.read_csv {big / statistics.median(pd_t):6.2f} x   {load}")
    # Replacing the output file costs every writer the same flush on ext4 (auto_da_alloc),
    # so the CPU time shows the reading itself beside the wall time.
    print(f"import 100 lines / 524288 lines: real {statistics.median(s[0] for s in small) / big:8.5f}"
          f"   CPU {statistics.median(s[1] / s[2] for s in small):8.5f}   {load}")
    print(f"read_file 32 MiB / one read(): real {statistics.median(r[0] for r in raw):6.2f} x"
          f"   CPU {statistics.median(r[1] for r in raw):6.2f} x   {load}")
