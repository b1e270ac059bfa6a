#!/usr/bin/env python3
"""The device library's utilities as ratios measured in one run, the benchmarks' rounds
interleaved, medians of each:
- nanoseconds per call of lib_unit_convert, lib_unit_auto_prefix and lib_unit_auto_range
  beside a plain long double division (and their allocations per call: aim 0);
- lib_decimate_samples of 20,971,520 samples to 16384 and to 3000 against a memcpy of
  the output, and to 10,485,760 against a memcpy of the input;
- lib_checksum_negsum over 1 MiB against a plain byte-sum loop (aim: within 2x).
The load average stands beside each figure."""
import os

from bench_common import interleaved_medians

runs = interleaved_medians("bench_device_lib")
ns = {name: r["ns"] for name, r in runs.items()}
allocs = {name: r["allocs_per_call"] for name, r in runs.items() if "allocs_per_call" in r}

load = "load %.2f %.2f %.2f" % os.getloadavg()
base = ns["BM_ldouble_divide"]
for name in ("BM_unit_convert", "BM_unit_auto_prefix", "BM_unit_auto_range"):
    print(f"{name[3:]:<22} {ns[name]:6.2f} ns/call = {ns[name] / base:5.2f} x division "
          f"({base:.2f} ns), {allocs.get(name, 0):.0f} allocs/call   {load}")
for n in (16384, 3000):
    d, m = ns[f"BM_decimate/{n}"], ns[f"BM_memcpy_samples/{n}"]
    print(f"decimate 20971520 -> {n:<8} {d / m:7.2f} x memcpy of the output   {load}")
d, m = ns["BM_decimate/10485760"], ns["BM_memcpy_samples/20971520"]
print(f"decimate 20971520 -> 10485760 {d / m:7.2f} x memcpy of the input    {load}")
print(f"checksum_negsum 1 MiB         {ns['BM_checksum_negsum_1M'] / ns['BM_byte_sum_1M']:7.2f} x byte-sum loop   {load}")
