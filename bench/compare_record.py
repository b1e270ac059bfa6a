#!/usr/bin/env python3
"""Record edits on 20,971,520 samples against copies of the same 40 MB file to a new
file: `cp --reflink=never` spawned directly (no shell), and the kernel's copy_file_range
in-process, the floor. Each round runs every benchmark once in a process of its own,
the order reversed every other round; ratios of the medians, with the load average, and
each edit's peak memory.

usage: bench/compare_record.py [--rounds N]"""
import argparse
import tempfile

from bench_common import BUILD, alternate, build, exact, load_text, median, peak_rss_mb, run_once

EDITS = ["BM_assign", "BM_erase_middle", "BM_insert_1M"]
BASES = ["BM_cp", "BM_copy_file_range"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=7)
    args = parser.parse_args()
    build("bench_record")
    with tempfile.TemporaryDirectory(dir=BUILD) as work:
        steps = [(n, lambda n=n: run_once("bench_record", exact(n), work)[0][n]) for n in EDITS + BASES]
        times, loads = alternate(steps, args.rounds)
    m = {k: median(v) for k, v in times.items()}
    print("20,971,520 samples, %d rounds alternated, medians (%s)" % (args.rounds, load_text(loads)))
    print("cp %.1f ms, copy_file_range %.1f ms" % (m["BM_cp"], m["BM_copy_file_range"]))
    for name in EDITS:
        print("%-16s %7.1f ms  %5.2f x cp  %5.2f x copy_file_range  peak %6.1f MB"
              % (name[3:], m[name], m[name] / m["BM_cp"], m[name] / m["BM_copy_file_range"],
                 peak_rss_mb("bench_record", exact(name))))


if __name__ == "__main__":
    main()
