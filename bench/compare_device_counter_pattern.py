#!/usr/bin/env python3
"""The counter statistics and the serial pattern as ratios measured in one run, the
benchmarks' rounds interleaved, medians of each:
- nanoseconds per cfg_counter_stat_calc_t::add_sample against a plain running
  mean-and-variance update (and its allocations per call: aim 0);
- the build of a 1000-character serial pattern at two samples per bit against std::fill
  of the same 22000 int16 samples (aim: within 3x).
The load average stands beside each figure."""
import json
import os
import subprocess
import tempfile

from bench_common import BUILD, build

build("bench_device_counter_pattern")
exe = os.path.join(BUILD, "bench", "bench_device_counter_pattern")
with tempfile.TemporaryDirectory() as work:
    out = os.path.join(work, "result.json")
    subprocess.run([exe, "--benchmark_repetitions=9", "--benchmark_report_aggregates_only=true",
                    "--benchmark_enable_random_interleaving=true",
                    f"--benchmark_out={out}", "--benchmark_out_format=json"],
                   cwd=work, check=True, stdout=subprocess.DEVNULL)
    with open(out) as f:
        data = json.load(f)

ns = {}
allocs = {}
samples = {}
for b in data["benchmarks"]:
    if b.get("aggregate_name") != "median":
        continue
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
    ns[b["run_name"]] = b["real_time"] * scale
    if "allocs_per_call" in b:
        allocs[b["run_name"]] = b["allocs_per_call"]
    if "samples" in b:
        samples[b["run_name"]] = b["samples"]

load = "load %.2f %.2f %.2f" % os.getloadavg()
a, p = ns["BM_stat_add_sample"], ns["BM_plain_mean_variance"]
print(f"add_sample            {a:7.2f} ns = {a / p:5.2f} x plain update ({p:.2f} ns), "
      f"{allocs.get('BM_stat_add_sample', 0):.0f} allocs/call   {load}")
b, f = ns["BM_uart_build_1000"], ns["BM_fill_22000"]
print(f"serial pattern build  {b / 1e3:7.2f} us = {b / f:5.2f} x std::fill of "
      f"{samples.get('BM_uart_build_1000', 0):.0f} samples ({f / 1e3:.2f} us)   {load}")
