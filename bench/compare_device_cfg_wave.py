#!/usr/bin/env python3
"""The configuration layer's start-up (cfg_main) and one set_wave_type per wave type
with channel 0's output on, each against a direct caller replaying the transport calls,
waits and printed lines of one settled run: CPU time as ratios measured in one run with
the rounds interleaved, medians (aim: within 3x), with the transport operations per run
and the load average beside each figure. Waits go to a hook that only adds them up."""
import os

from bench_common import interleaved_medians

NAMES = ["cfg_main"] + ["set_wave_type_" + t for t in
                        ("sine", "square", "ramp", "pulse", "noise", "dc", "arb", "prbs")]

runs = interleaved_medians("bench_device_cfg_wave")
cpu = {name: r["cpu_time"] for name, r in runs.items()}
ops = {name: r.get("transport_ops", 0) for name, r in runs.items()}

load = "load %.2f %.2f %.2f" % os.getloadavg()
for n in NAMES:
    layer, direct = f"BM_layer/{n}", f"BM_direct/{n}"
    print(f"{n:22s} layer / direct {cpu[layer] / cpu[direct]:6.2f} x CPU   transport ops {ops[layer]:6.0f}   {load}")
