#!/usr/bin/env python3
"""Record edits on 20,971,520 samples against `cp --reflink=never` of the same file:
prints each edit's median time as a ratio of the copy's, and its peak memory."""
from bench_common import build, run_medians, peak_rss_mb

build("bench_record")
m = run_medians("bench_record")
base = m["BM_cp_baseline"]
for name in ("BM_assign", "BM_erase_middle", "BM_insert_1M"):
    print(f"{name:18s} {m[name] / base:5.2f} x cp   peak {peak_rss_mb('bench_record', '^' + name + '/'):6.1f} MB")
