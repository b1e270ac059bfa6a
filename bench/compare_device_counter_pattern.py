#!/usr/bin/env python3
"""The counter statistics and the serial pattern as ratios measured in one run, the
benchmarks' rounds interleaved, medians of each:
- nanoseconds per cfg_counter_stat_calc_t::add_sample against a plain running
  mean-and-variance update (and its allocations per call: aim 0);
- the build of a 1000-character serial pattern at two samples per bit against std::fill
  of the same 22000 int16 samples (aim: within 3x).
The load average stands beside each figure."""
import os

from bench_common import interleaved_medians

runs = interleaved_medians("bench_device_counter_pattern")
ns = {name: r["ns"] for name, r in runs.items()}
allocs = {name: r["allocs_per_call"] for name, r in runs.items() if "allocs_per_call" in r}
samples = {name: r["samples"] for name, r in runs.items() if "samples" in r}

load = "load %.2f %.2f %.2f" % os.getloadavg()
a, p = ns["BM_stat_add_sample"], ns["BM_plain_mean_variance"]
print(f"add_sample            {a:7.2f} ns = {a / p:5.2f} x plain update ({p:.2f} ns), "
      f"{allocs.get('BM_stat_add_sample', 0):.0f} allocs/call   {load}")
b, f = ns["BM_uart_build_1000"], ns["BM_fill_22000"]
print(f"serial pattern build  {b / 1e3:7.2f} us = {b / f:5.2f} x std::fill of "
      f"{samples.get('BM_uart_build_1000', 0):.0f} samples ({f / 1e3:.2f} us)   {load}")
