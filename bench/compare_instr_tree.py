#!/usr/bin/env python3
"""The instrument tree's periodic costs with six generators and six oscilloscopes, measured
in one run: the main window's status-bar tick as a share of its one-second period, and a
device-change refresh with an unchanged USB count against one bare VISA search.

Each round runs every benchmark once in its own process, the order reversed every other
round; the figures are of the medians over the rounds, with the load average beside them."""
import os
import statistics
import tempfile

from bench_common import BUILD, build, run_one, seconds

ROUNDS = 11
NAMES = ["BM_status_tick", "BM_refresh_same_count", "BM_bare_search"]


def run_once(name, work):
    return seconds(run_one("bench_instr_tree", name, work, 0.5))


def main():
    build("bench_instr_tree")
    times = {n: [] for n in NAMES}
    loads = []
    with tempfile.TemporaryDirectory(dir=BUILD) as work:
        for r in range(ROUNDS):
            for name in (NAMES if r % 2 == 0 else NAMES[::-1]):
                times[name].append(run_once(name, work))
            loads.append(os.getloadavg()[0])
    load = f"load {min(loads):.1f}-{max(loads):.1f}"
    median = {n: statistics.median(t) for n, t in times.items()}
    print(f"{'status-bar tick':32s} {median['BM_status_tick'] * 100:8.4f} % of its 1 s period   (limit 1 %, {load})")
    print(f"{'device-change refresh, same count':32s} "
          f"{median['BM_refresh_same_count'] / median['BM_bare_search']:8.2f} x one VISA search   (limit 1.2, {load})")


if __name__ == "__main__":
    main()
