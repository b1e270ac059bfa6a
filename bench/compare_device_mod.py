#!/usr/bin/env python3
"""Each modulation type's apply through the configuration layer and a counting
transport against a direct caller replaying the same transport calls, and the
both-channel frequency update likewise, and the AM apply's driver-interface calls made
directly (the drivers' share of the cost), as ratios measured in one run with the rounds
interleaved (aim: within 3x), with the transport operations per apply beside each
figure. Waits go to a hook that adds them up. The load average stands beside each
figure."""
import json
import os
import subprocess
import tempfile

from bench_common import BUILD, build, run_medians

NAMES = ["am", "fm", "pm", "ask", "fsk", "psk", "dsb_am", "pwm", "freq_both", "am_drv_calls"]

build("bench_device_mod")
m = run_medians("bench_device_mod", repetitions=9, extra_args=["--benchmark_enable_random_interleaving=true"])
load = "load %.2f %.2f %.2f" % os.getloadavg()

counters = {}
with tempfile.TemporaryDirectory() as work:
    out = os.path.join(work, "counters.json")
    subprocess.run([os.path.join(BUILD, "bench", "bench_device_mod"), "--benchmark_min_time=0.05",
                    f"--benchmark_out={out}", "--benchmark_out_format=json"],
                   cwd=work, check=True, stdout=subprocess.DEVNULL)
    with open(out) as f:
        for b in json.load(f)["benchmarks"]:
            counters[b["name"]] = b

for n in NAMES:
    cfg, direct = f"BM_cfg_apply/{n}", f"BM_direct_apply/{n}"
    c = counters.get(cfg, {})
    print(f"{n:10s} cfg / direct {m[cfg] / m[direct]:6.2f} x   transport ops {c.get('transport_ops', 0):5.0f}"
          f"   wait {c.get('waited_ms_per_call', 0):4.0f} ms   allocs {c.get('allocs_per_call', 0):5.1f}   {load}")
