#!/usr/bin/env python3
"""The configuration layer as ratios measured in one run, the benchmarks' rounds
interleaved, medians of each:
- nanoseconds per call of a range check plus the store of its result, and of the
  settings object's get_max_ampl, beside a plain long double compare-and-assign (with
  their allocations per call: aim 0);
- CPU time of the start-up cfg_main against drv_interface_t::init alone, both over a
  counting transport with the sleeps added up instead of slept: the configuration
  layer's own share of the start-up.
The load average stands beside each figure."""
import json
import os
import subprocess
import tempfile

from bench_common import BUILD, build

build("bench_device_cfg")
exe = os.path.join(BUILD, "bench", "bench_device_cfg")
with tempfile.TemporaryDirectory() as work:
    out = os.path.join(work, "result.json")
    subprocess.run([exe, "--benchmark_repetitions=9", "--benchmark_report_aggregates_only=true",
                    "--benchmark_enable_random_interleaving=true",
                    f"--benchmark_out={out}", "--benchmark_out_format=json"],
                   cwd=work, check=True, stdout=subprocess.DEVNULL)
    with open(out) as f:
        data = json.load(f)

ns = {}
cpu = {}
allocs = {}
for b in data["benchmarks"]:
    if b.get("aggregate_name") != "median":
        continue
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
    ns[b["run_name"]] = b["real_time"] * scale
    cpu[b["run_name"]] = b["cpu_time"] * scale
    if "allocs_per_call" in b:
        allocs[b["run_name"]] = b["allocs_per_call"]

load = "load %.2f %.2f %.2f" % os.getloadavg()
base = ns["BM_plain_compare_assign"]
for name in ("BM_check_and_store", "BM_get_max_ampl"):
    print(f"{name[3:]:<18} {ns[name]:7.2f} ns/call = {ns[name] / base:6.2f} x compare-and-assign "
          f"({base:.2f} ns), {allocs.get(name, 0):.0f} allocs/call   {load}")
print(f"cfg_main           {cpu['BM_cfg_main'] / cpu['BM_drv_init']:7.2f} x drv_interface_t::init in CPU time "
      f"({cpu['BM_cfg_main'] / 1e3:.1f} us against {cpu['BM_drv_init'] / 1e3:.1f} us)   {load}")
