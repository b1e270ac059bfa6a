#!/usr/bin/env python3
"""The communication dialog against the command layer alone, measured in one run over
loopback to the simulator program: a three-segment send of 41,943,041 points through the
dialog against the same three instr_send_wave calls; the read-back of a 20,971,520-sample
user waveform through the dialog against the parameter query and the read-back; an "auto"
import of a 20,000,000-point trace through the dialog against scope_read_waveform.

Each round runs every benchmark once in its own process (which spawns the simulator
directly), the order reversed every other round; each ratio is the median of the rounds'
own ratios, the load average beside it."""
import os
import statistics
import tempfile

from bench_common import BUILD, build, run_one

ROUNDS = 7
PAIRS = [
    ("send, 3 segments, 41,943,041 points", "BM_dialog_send", "BM_direct_send", "instr_send_wave x3"),
    ("read-back, 20,971,520 samples", "BM_dialog_read", "BM_layer_read", "parameter query + read-back"),
    ("import auto, 20,000,000 points", "BM_dialog_import", "BM_layer_import", "scope_read_waveform"),
]


def run_once(name, work):
    return run_one("bench_comm_form", name, work, 1)


def main():
    build("bench_comm_form", "ondrix_instrument_sim_program")
    names = [n for _, ours, base, _ in PAIRS for n in (ours, base)]
    times = {n: [] for n in names}
    loads = []
    with tempfile.TemporaryDirectory(dir=BUILD) as work:
        for r in range(ROUNDS):
            for name in (names if r % 2 == 0 else names[::-1]):
                times[name].append(run_once(name, work)["real_time"])
            loads.append(os.getloadavg()[0])
    load = f"load {min(loads):.1f}-{max(loads):.1f}"
    for label, ours, base, what in PAIRS:
        ratio = statistics.median(o / b for o, b in zip(times[ours], times[base]))
        print(f"{label:36s} {ratio:5.2f} x {what}   ({load}; dialog {statistics.median(times[ours]):.0f} ms)")


if __name__ == "__main__":
    main()
