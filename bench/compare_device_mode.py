#!/usr/bin/env python3
"""Switching a channel's burst or sweep on and applying it through the configuration layer
against a direct caller replaying the same transport calls, as ratios measured in one run
with the rounds interleaved (aim: within 3x), with the transport operations per switch-on
beside each figure; the same driver-interface calls made directly show the drivers' share. Waits go to a hook that adds them up. The load average stands beside
each figure."""
import os

from bench_common import build, run_medians, short_run_records

NAMES = ["burst_on", "sweep_on"]

build("bench_device_mode")
m = run_medians("bench_device_mode", repetitions=9, extra_args=["--benchmark_enable_random_interleaving=true"])
load = "load %.2f %.2f %.2f" % os.getloadavg()

counters = short_run_records("bench_device_mode")

for n in NAMES:
    cfg, driver, direct = f"BM_cfg_switch_on/{n}", f"BM_driver_switch_on/{n}", f"BM_direct_switch_on/{n}"
    c = counters.get(cfg, {})
    d = counters.get(driver, {})
    print(f"{n:10s} cfg / direct {m[cfg] / m[direct]:6.2f} x   driver calls / direct {m[driver] / m[direct]:6.2f} x"
          f"   cfg / driver calls {m[cfg] / m[driver]:5.2f} x   transport ops {c.get('transport_ops', 0):4.0f}"
          f" (driver calls {d.get('transport_ops', 0):4.0f})   wait {c.get('waited_ms_per_call', 0):3.0f} ms"
          f"   allocs {c.get('allocs_per_call', 0):4.1f}   {load}")
