#!/usr/bin/env python3
"""Network instruments against plain loopback TCP, measured in one run: the send of a
full download segment through the command layer and the VXI-11 backend to the
simulator program (which discards and hashes it) against sending the same byte count to
a plain sink; the read-back of a full user waveform and the import of a full trace
against receiving the same bytes from the sink plus one fwrite of the sample file each
produces; and the client's peak memory during a send.

Each round runs every benchmark once in its own process (which spawns its peers
directly), the order reversed every other round. The machine's load changes between
rounds, so each ratio is the median of the rounds' own ratios, ours against the baseline
measured in the same round; the load average stands beside them."""
import os
import statistics
import tempfile

from bench_common import BUILD, build, run_one

ROUNDS = 11
PAIRS = [
    ("send of a full segment", "BM_send", "BM_raw_send", "raw TCP"),
    ("read-back of a full wave", "BM_read_back", "BM_raw_read_back", "raw TCP + fwrite"),
    ("trace import, 29,360,640 B", "BM_trace_import", "BM_raw_trace", "raw TCP + fwrite"),
]


def run_once(name, work):
    return run_one("bench_transport", name, work, 1)


def main():
    build("bench_transport", "ondrix_instrument_sim_program")
    names = sorted({n for _, ours, base, _ in PAIRS for n in (ours, base)})
    times = {n: [] for n in names}
    peaks = []
    loads = []
    with tempfile.TemporaryDirectory(dir=BUILD) as work:
        for r in range(ROUNDS):
            for name in (names if r % 2 == 0 else names[::-1]):
                run = run_once(name, work)
                times[name].append(run["real_time"])
                if "peak_MB" in run:
                    peaks.append(run["peak_MB"])
            loads.append(os.getloadavg()[0])
    load = f"load {min(loads):.1f}-{max(loads):.1f}"
    for label, ours, base, what in PAIRS:
        ratio = statistics.median(o / b for o, b in zip(times[ours], times[base]))
        print(f"{label:28s} {ratio:5.2f} x {what}   ({load})")
    print(f"{'client peak memory, send':28s} {max(peaks):6.1f} MB   ({load})")


if __name__ == "__main__":
    main()
