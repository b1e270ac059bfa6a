#!/usr/bin/env python3
"""The wave manager's apply of each wave type through a counting transport against a
direct caller replaying the same transport calls, as ratios measured in one run with the
rounds interleaved (aim: within 3x), with the transport operations per apply beside
each figure. Waits go to a hook that adds them up. The load average stands beside each
figure."""
import os

from bench_common import build, run_medians, short_run_records

TYPES = ["sine", "square", "ramp", "pulse", "noise", "dc", "arb_dds", "arb_sample_rate", "prbs"]

build("bench_device_apply")
m = run_medians("bench_device_apply", repetitions=9, extra_args=["--benchmark_enable_random_interleaving=true"])
load = "load %.2f %.2f %.2f" % os.getloadavg()

counters = short_run_records("bench_device_apply")

for t in TYPES:
    driver, direct = f"BM_driver_apply/{t}", f"BM_direct_apply/{t}"
    c = counters.get(driver, {})
    print(f"{t:16s} driver / direct {m[driver] / m[direct]:6.2f} x   transport ops {c.get('transport_ops', 0):5.0f}"
          f"   wait {c.get('waited_ms_per_call', 0):4.0f} ms   allocs {c.get('allocs_per_call', 0):5.1f}   {load}")
