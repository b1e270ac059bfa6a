#!/usr/bin/env python3
"""Repetition of a wave into the 8 MiB sample-rate send buffer against a memcpy of the
same total bytes (aim: within 2x), for a short wave repeated many times (16 and 1024
samples) and a long one copied twice (2000000 samples). Ratios come from one run with
the rounds interleaved; the load average stands beside each figure."""
import os

from bench_common import build, run_medians

build("bench_device_dma")
m = run_medians("bench_device_dma", repetitions=9, extra_args=["--benchmark_enable_random_interleaving=true"])
load = "load %.2f %.2f %.2f" % os.getloadavg()
for samples in (16, 1024, 2000000):
    ratio = m[f"BM_send_buffer_repeat/{samples}"] / m[f"BM_memcpy_same_bytes/{samples}"]
    print(f"repeat {samples:8d} samples   send buffer / memcpy  {ratio:6.2f} x   {load}")
