#!/usr/bin/env python3
"""Framing a 41,943,040-byte USB-TMC write (headers, padding, 1 MiB messages) into a
discarding sink, against one memcpy of the payload (aim: at most 1.2x).

Each round runs both benchmarks once, each in its own process, the order reversed every
other round; the ratio is of the medians over the rounds, with the load average beside it."""
import os
import statistics
import tempfile

from bench_common import BUILD, build, run_one

ROUNDS = 11
OURS, BASE = "BM_frame_write", "BM_memcpy_payload"


def run_once(name, work):
    run = run_one("bench_usbtmc", name, work, 1)
    return run["real_time"], run.get("transfers")


def main():
    build("bench_usbtmc")
    times = {OURS: [], BASE: []}
    transfers = None
    loads = []
    with tempfile.TemporaryDirectory(dir=BUILD) as work:
        for r in range(ROUNDS):
            for name in ((OURS, BASE) if r % 2 == 0 else (BASE, OURS)):
                t, n = run_once(name, work)
                times[name].append(t)
                if name == OURS:
                    transfers = n
            loads.append(os.getloadavg()[0])
    ratio = statistics.median(times[OURS]) / statistics.median(times[BASE])
    print(f"framing of a 41,943,040-byte write / memcpy   {ratio:5.2f} x   "
          f"({transfers:.0f} transfers, load {min(loads):.1f}-{max(loads):.1f})")


if __name__ == "__main__":
    main()
