#!/usr/bin/env python3
"""The instrument layer's bulk transfers against plain file operations on the same
bytes, measured in one run: a full download segment (classes 2 and 6) against one fread
of the 40 MB sample file, the read-back of a full reply and the import of a full trace
against one fwrite of the sample file each produces; and the peak memory of a send.
The fread reads into a buffer kept between rounds, as a send keeps its command buffer;
the fwrites write from memory that is already there.

Each round runs every benchmark once in its own process, the order reversed every other
round; the ratios are of the medians over the rounds, with the load average beside them."""
import os
import statistics
import tempfile

from bench_common import BUILD, build, peak_rss_mb, run_one

ROUNDS = 11
PAIRS = [
    ("download segment, class 2", "BM_send_class2", "BM_fread_segment", "fread"),
    ("download segment, class 6", "BM_send_class6", "BM_fread_segment", "fread"),
    ("read-back of a full reply", "BM_read_back", "BM_fwrite_readback", "fwrite"),
    ("trace of 29,360,640 bytes", "BM_trace_import", "BM_fwrite_trace", "fwrite"),
]


def run_once(name, work):
    return run_one("bench_comm", name, work, 2)["real_time"]


def main():
    build("bench_comm")
    names = sorted({n for _, ours, base, _ in PAIRS for n in (ours, base)})
    times = {n: [] for n in names}
    loads = []
    with tempfile.TemporaryDirectory(dir=BUILD) as work:
        for r in range(ROUNDS):
            for name in (names if r % 2 == 0 else names[::-1]):
                times[name].append(run_once(name, work))
            loads.append(os.getloadavg()[0])
    load = f"load {min(loads):.1f}-{max(loads):.1f}"
    median = {n: statistics.median(t) for n, t in times.items()}
    for label, ours, base, what in PAIRS:
        print(f"{label:28s} {median[ours] / median[base]:5.2f} x {what}   ({load})")
    peak = peak_rss_mb("bench_comm", "^BM_send_class2/")
    print(f"{'peak memory of a send':28s} {peak:6.1f} MB   ({load})")


if __name__ == "__main__":
    main()
