#!/usr/bin/env python3
"""The channel-0 calibration against a transport with a model of the analog path, beside
a direct caller replaying the same transport calls, waits and console bytes, as a ratio
of CPU time measured in one run with the rounds interleaved (aim: within 3x). The waits
go to a hook that adds them up; their total per calibration stands beside the ratio with
the load average."""
import json
import os
import subprocess
import tempfile

from bench_common import BUILD, build

build("bench_device_calibrate")
exe = os.path.join(BUILD, "bench", "bench_device_calibrate")
with tempfile.TemporaryDirectory() as work:
    out = os.path.join(work, "result.json")
    subprocess.run([exe, "--benchmark_repetitions=9", "--benchmark_enable_random_interleaving=true",
                    f"--benchmark_out={out}", "--benchmark_out_format=json"],
                   cwd=work, check=True, stdout=subprocess.DEVNULL)
    with open(out) as f:
        data = json.load(f)
load = "load %.2f %.2f %.2f" % os.getloadavg()
cpu = {}
waited = ops = 0
for b in data["benchmarks"]:
    name = b["run_name"]
    if b.get("run_type") == "aggregate" and b.get("aggregate_name") == "median":
        cpu[name] = b["cpu_time"]
        if name == "BM_driver_calibrate":
            waited = b.get("waited_ms_per_call", 0)
            ops = b.get("transport_ops", 0)
ratio = cpu["BM_driver_calibrate"] / cpu["BM_direct_calibrate"]
print(f"calibrate driver / direct (CPU)  {ratio:6.2f} x   {load}")
print(f"recorded wait per calibration  {waited:.0f} ms   transport operations {ops:.0f}")
