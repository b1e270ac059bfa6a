#!/usr/bin/env python3
"""Switching a channel's burst or sweep on and applying it through the configuration layer
against a direct caller replaying the same transport calls, as ratios measured in one run
with the rounds interleaved (aim: within 3x), with the transport operations per switch-on
beside each figure; the same driver-interface calls made directly show the drivers' share. Waits go to a hook that adds them up. The load average stands beside
each figure."""
import json
import os
import subprocess
import tempfile

from bench_common import BUILD, build, run_medians

NAMES = ["burst_on", "sweep_on"]

build("bench_device_mode")
m = run_medians("bench_device_mode", repetitions=9, extra_args=["--benchmark_enable_random_interleaving=true"])
load = "load %.2f %.2f %.2f" % os.getloadavg()

counters = {}
with tempfile.TemporaryDirectory() as work:
    out = os.path.join(work, "counters.json")
    subprocess.run([os.path.join(BUILD, "bench", "bench_device_mode"), "--benchmark_min_time=0.05",
                    f"--benchmark_out={out}", "--benchmark_out_format=json"],
                   cwd=work, check=True, stdout=subprocess.DEVNULL)
    with open(out) as f:
        for b in json.load(f)["benchmarks"]:
            counters[b["name"]] = b

for n in NAMES:
    cfg, driver, direct = f"BM_cfg_switch_on/{n}", f"BM_driver_switch_on/{n}", f"BM_direct_switch_on/{n}"
    c = counters.get(cfg, {})
    d = counters.get(driver, {})
    print(f"{n:10s} cfg / direct {m[cfg] / m[direct]:6.2f} x   driver calls / direct {m[driver] / m[direct]:6.2f} x"
          f"   cfg / driver calls {m[cfg] / m[driver]:5.2f} x   transport ops {c.get('transport_ops', 0):4.0f}"
          f" (driver calls {d.get('transport_ops', 0):4.0f})   wait {c.get('waited_ms_per_call', 0):3.0f} ms"
          f"   allocs {c.get('allocs_per_call', 0):4.1f}   {load}")
