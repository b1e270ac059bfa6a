#!/usr/bin/env python3
"""The device drivers through a counting transport against a direct caller making the
same transport calls and waits, each as a ratio measured in one run with the rounds
interleaved: the 1496-byte flash record written and read in 128-byte pieces (aim:
within 2x; the waits go to a hook that adds them up, and their total stands beside the
figure), the pulse driver's parameter write and the modulation word (aim: within 3x,
no heap allocation). The load average stands beside each figure."""
import os

from bench_common import build, run_medians, short_run_records

build("bench_device_drv")
m = run_medians("bench_device_drv", repetitions=9, extra_args=["--benchmark_enable_random_interleaving=true"])
load = "load %.2f %.2f %.2f" % os.getloadavg()
pairs = [
    ("flash write 1496 B", "BM_driver_flash_write", "BM_direct_flash_write"),
    ("flash read 1496 B", "BM_driver_flash_read", "BM_direct_flash_read"),
    ("pulse parameters", "BM_driver_set_pulse", "BM_direct_set_pulse"),
    ("modulation word", "BM_driver_set_mod_word", "BM_direct_set_mod_word"),
]
for label, driver, direct in pairs:
    print(f"{label:20s} driver / direct  {m[driver] / m[direct]:6.2f} x   {load}")

# Allocations and recorded waits per call, from one short run.
for name, b in short_run_records("bench_device_drv").items():
    print(f"{name:28s} allocations per call {b.get('allocs_per_call', 0):.2f}"
          f"   recorded wait per call {b.get('waited_ms_per_call', 0):.0f} ms")
