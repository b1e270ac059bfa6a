#!/usr/bin/env python3
"""The Control Panel menu's rebuild on a device change (four USB instruments found, the
module present) against one bare VISA search plus one detection of the module, measured in
one run: with the detection answered at once, and through the device library's export.

Each round runs every benchmark once in its own process, the order reversed every other
round; the figures are of the medians over the rounds, with the load average beside them."""
import os
import statistics
import tempfile

from bench_common import BUILD, build, run_one, seconds

ROUNDS = 11
NAMES = ["BM_rebuild/1", "BM_search_and_detect/1", "BM_rebuild/0", "BM_search_and_detect/0"]


def run_once(name, work):
    return seconds(run_one("bench_panel_menu", name, work, 0.5))


def main():
    build("bench_panel_menu")
    times = {n: [] for n in NAMES}
    loads = []
    with tempfile.TemporaryDirectory(dir=BUILD) as work:
        for r in range(ROUNDS):
            for name in (NAMES if r % 2 == 0 else NAMES[::-1]):
                times[name].append(run_once(name, work))
            loads.append(os.getloadavg()[0])
    load = f"load {min(loads):.1f}-{max(loads):.1f}"
    median = {n: statistics.median(t) for n, t in times.items()}
    for arg, what in (("1", "detection answered at once"), ("0", "detection by the device library")):
        ratio = median[f"BM_rebuild/{arg}"] / median[f"BM_search_and_detect/{arg}"]
        print(f"menu rebuild, {what:31s} {ratio:6.2f} x one search plus one detection   (limit 1.2, {load})")


if __name__ == "__main__":
    main()
