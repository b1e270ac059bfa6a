#!/usr/bin/env python3
"""The configuration layer's start-up (cfg_main) and one set_wave_type per wave type
with channel 0's output on, each against a direct caller replaying the transport calls,
waits and printed lines of one settled run: CPU time as ratios measured in one run with
the rounds interleaved, medians (aim: within 3x), with the transport operations per run
and the load average beside each figure. Waits go to a hook that only adds them up."""
import json
import os
import subprocess
import tempfile

from bench_common import BUILD, build

NAMES = ["cfg_main"] + ["set_wave_type_" + t for t in
                        ("sine", "square", "ramp", "pulse", "noise", "dc", "arb", "prbs")]

build("bench_device_cfg_wave")
exe = os.path.join(BUILD, "bench", "bench_device_cfg_wave")
with tempfile.TemporaryDirectory() as work:
    out = os.path.join(work, "result.json")
    subprocess.run([exe, "--benchmark_repetitions=9", "--benchmark_report_aggregates_only=true",
                    "--benchmark_enable_random_interleaving=true",
                    f"--benchmark_out={out}", "--benchmark_out_format=json"],
                   cwd=work, check=True, stdout=subprocess.DEVNULL)
    with open(out) as f:
        data = json.load(f)

cpu = {}
ops = {}
for b in data["benchmarks"]:
    if b.get("aggregate_name") != "median":
        continue
    cpu[b["run_name"]] = b["cpu_time"]
    ops[b["run_name"]] = b.get("transport_ops", 0)

load = "load %.2f %.2f %.2f" % os.getloadavg()
for n in NAMES:
    layer, direct = f"BM_layer/{n}", f"BM_direct/{n}"
    print(f"{n:22s} layer / direct {cpu[layer] / cpu[direct]:6.2f} x CPU   transport ops {ops[layer]:6.0f}   {load}")
