#!/usr/bin/env python3
"""The device library's four speed checks, each as a ratio measured in one run with
the benchmarks' rounds interleaved: register access through the front end against the
transport called directly (aim: at most 2x), the trace against snprintf lines (aim: at
least 3x faster), the reused receive buffer against a fresh zero-filled one (aim: at
least 10x faster), and the wave-block message against a 32 KiB memcpy (aim: at most 2x).
The load average stands beside each figure."""
import os

from bench_common import build, run_medians

build("bench_device")
m = run_medians("bench_device", repetitions=9, extra_args=["--benchmark_enable_random_interleaving=true"])
load = "load %.2f %.2f %.2f" % os.getloadavg()
print(f"register write, front end / direct    {m['BM_reg_write_front'] / m['BM_reg_write_direct']:6.2f} x   {load}")
print(f"register read,  front end / direct    {m['BM_reg_read_front'] / m['BM_reg_read_direct']:6.2f} x   {load}")
print(f"trace, snprintf lines / trace         {m['BM_trace_snprintf_1M'] / m['BM_trace_writes_1M']:6.2f} x   {load}")
print(f"receive, fresh buffer / reused        {m['BM_rx_fresh_buffer'] / m['BM_rx_reused_buffer']:6.1f} x   {load}")
print(f"wave-block message / 32 KiB memcpy    {m['BM_wave_block_message'] / m['BM_memcpy_32k']:6.2f} x   {load}")
