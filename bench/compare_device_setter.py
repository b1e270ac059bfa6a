#!/usr/bin/env python3
"""lib_ch_set_freq and lib_ch_set_ampl on an active sine through the drivers and a
counting transport, against a direct caller replaying the same transport calls, as CPU
time ratios measured in one run with the rounds interleaved (aim: within 3x). The
transport operations per command (a regression figure) and the load average stand
beside each figure."""
import json
import os
import subprocess
import tempfile

from bench_common import BUILD, build

build("bench_device_setter")
exe = os.path.join(BUILD, "bench", "bench_device_setter")
with tempfile.TemporaryDirectory() as work:
    out = os.path.join(work, "result.json")
    subprocess.run([exe, "--benchmark_repetitions=9", "--benchmark_enable_random_interleaving=true",
                    f"--benchmark_out={out}", "--benchmark_out_format=json"],
                   cwd=work, check=True, stdout=subprocess.DEVNULL)
    with open(out) as f:
        data = json.load(f)
load = "load %.2f %.2f %.2f" % os.getloadavg()

cpu, ops = {}, {}
for b in data["benchmarks"]:
    if b.get("aggregate_name") == "median":
        cpu[b["run_name"]] = b["cpu_time"]
        ops[b["run_name"]] = b.get("transport_ops", 0)

for name in ["freq", "ampl"]:
    command, direct = f"BM_command/{name}", f"BM_direct/{name}"
    ratio = cpu[command] / cpu[direct] if cpu.get(direct) else float("inf")
    print(f"lib_ch_set_{name:5s} command / direct CPU {ratio:6.2f} x   transport ops {ops.get(command, 0):5.1f}"
          f"   {load}")
