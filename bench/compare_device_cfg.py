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
import os

from bench_common import interleaved_medians

runs = interleaved_medians("bench_device_cfg")
ns = {name: r["ns"] for name, r in runs.items()}
cpu = {name: r["cpu_ns"] for name, r in runs.items()}
allocs = {name: r["allocs_per_call"] for name, r in runs.items() if "allocs_per_call" in r}

load = "load %.2f %.2f %.2f" % os.getloadavg()
base = ns["BM_plain_compare_assign"]
for name in ("BM_check_and_store", "BM_get_max_ampl"):
    print(f"{name[3:]:<18} {ns[name]:7.2f} ns/call = {ns[name] / base:6.2f} x compare-and-assign "
          f"({base:.2f} ns), {allocs.get(name, 0):.0f} allocs/call   {load}")
print(f"cfg_main           {cpu['BM_cfg_main'] / cpu['BM_drv_init']:7.2f} x drv_interface_t::init in CPU time "
      f"({cpu['BM_cfg_main'] / 1e3:.1f} us against {cpu['BM_drv_init'] / 1e3:.1f} us)   {load}")
