#!/usr/bin/env python3
"""Framing a 41,943,040-byte USB-TMC write (headers, padding, 1 MiB messages) into a
discarding sink, against one memcpy of the payload (aim: at most 1.2x).

Each round runs both benchmarks once, each in its own process, the order reversed every
other round; the ratio is of the medians over the rounds, with the load average beside it."""
import json
import os
import statistics
import subprocess
import sys
import tempfile

from bench_common import BUILD, build

ROUNDS = 11
OURS, BASE = "BM_frame_write", "BM_memcpy_payload"


def run_once(name, work):
    exe = os.path.join(BUILD, "bench", "bench_usbtmc")
    out = os.path.join(work, "result.json")
    subprocess.run([exe, f"--benchmark_filter=^{name}/", "--benchmark_min_time=1", f"--benchmark_out={out}",
                    "--benchmark_out_format=json"], cwd=work, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    with open(out) as f:
        run = json.load(f)["benchmarks"][0]
    if run.get("error_occurred"):
        sys.exit(f"{name}: {run.get('error_message')}")
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
