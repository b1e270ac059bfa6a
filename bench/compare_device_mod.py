#!/usr/bin/env python3
"""Each modulation type's apply through the configuration layer and a counting
transport against a direct caller replaying the same transport calls, and the
both-channel frequency update likewise, and the AM apply's driver-interface calls made
directly (the drivers' share of the cost), as ratios measured in one run with the rounds
interleaved (aim: within 3x), with the transport operations per apply beside each
figure. Waits go to a hook that adds them up. The load average stands beside each
figure."""
import os

from bench_common import build, run_medians, short_run_records

NAMES = ["am", "fm", "pm", "ask", "fsk", "psk", "dsb_am", "pwm", "freq_both", "am_drv_calls"]

build("bench_device_mod")
m = run_medians("bench_device_mod", repetitions=9, extra_args=["--benchmark_enable_random_interleaving=true"])
load = "load %.2f %.2f %.2f" % os.getloadavg()

counters = short_run_records("bench_device_mod")

for n in NAMES:
    cfg, direct = f"BM_cfg_apply/{n}", f"BM_direct_apply/{n}"
    c = counters.get(cfg, {})
    print(f"{n:10s} cfg / direct {m[cfg] / m[direct]:6.2f} x   transport ops {c.get('transport_ops', 0):5.0f}"
          f"   wait {c.get('waited_ms_per_call', 0):4.0f} ms   allocs {c.get('allocs_per_call', 0):5.1f}   {load}")
