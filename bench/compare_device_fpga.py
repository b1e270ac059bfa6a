#!/usr/bin/env python3
"""The FPGA driver through a counting transport against the same transport calls made
directly, each as a ratio measured in one run with the rounds interleaved (aim: within
3x): the carrier word writer, the update strobe, a hold pair, and the sample-rate-mode
load of a whole (16384) and a padded (16383) block. The load average stands beside
each figure; allocations per call come from the benchmarks' counters."""
import os

from bench_common import build, run_medians, short_run_records

build("bench_device_fpga")
m = run_medians("bench_device_fpga", repetitions=9, extra_args=["--benchmark_enable_random_interleaving=true"])
load = "load %.2f %.2f %.2f" % os.getloadavg()
pairs = [
    ("set_freq_word", "BM_fpga_set_freq_word", "BM_direct_set_freq_word"),
    ("update", "BM_fpga_update", "BM_direct_update"),
    ("hold pair", "BM_fpga_hold_pair", "BM_direct_hold_pair"),
    ("sample-rate load 16384", "BM_fpga_sample_rate_load/16384", "BM_direct_sample_rate_load/16384"),
    ("sample-rate load 16383", "BM_fpga_sample_rate_load/16383", "BM_direct_sample_rate_load/16383"),
]
for label, driver, direct in pairs:
    print(f"{label:24s} driver / direct  {m[driver] / m[direct]:6.2f} x   {load}")

# Allocations per call, from one short run.
for name, b in short_run_records("bench_device_fpga", "BM_fpga_").items():
    print(f"{name:36s} allocations per call {b.get('allocs_per_call', 0):.2f}")
