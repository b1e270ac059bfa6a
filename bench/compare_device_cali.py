#!/usr/bin/env python3
"""The amplitude change and the calibration record's save and load through a counting
transport with a flash image, against a direct caller making the same transport calls
and waits, each as a ratio measured in one run with the rounds interleaved (aims: the
amplitude change within 3x, the record within 2x). The waits go to a hook that adds
them up; their totals per call, and that of a driver start-up on an erased flash, stand
beside the figures with the load average. Every save and load prints the record's name
line, a write to standard output that the bare transfers do not make, so the record is
also compared against a direct caller that prints the same line."""
import os

from bench_common import build, run_medians, short_run_records

build("bench_device_cali")
m = run_medians("bench_device_cali", bench_filter="BM_(driver|direct)_(set_ampl_offset|cali_save|cali_load)(_printed)?$",
                repetitions=9, extra_args=["--benchmark_enable_random_interleaving=true"])
load = "load %.2f %.2f %.2f" % os.getloadavg()
pairs = [
    ("amplitude change", "BM_driver_set_ampl_offset", "BM_direct_set_ampl_offset"),
    ("record save", "BM_driver_cali_save", "BM_direct_cali_save"),
    ("record load", "BM_driver_cali_load", "BM_direct_cali_load"),
    # Both sides printing the name line that every save and load writes.
    ("save, line printed", "BM_driver_cali_save", "BM_direct_cali_save_printed"),
    ("load, line printed", "BM_driver_cali_load", "BM_direct_cali_load_printed"),
]
for label, driver, direct in pairs:
    print(f"{label:18s} driver / direct  {m[driver] / m[direct]:6.2f} x   {load}")

# Allocations and recorded waits per call, from one short run.
for name, b in short_run_records("bench_device_cali").items():
    if "driver" not in name:
        continue
    print(f"{name:28s} allocations per call {b.get('allocs_per_call', 0):.2f}"
          f"   recorded wait per call {b.get('waited_ms_per_call', 0):.0f} ms")
