#!/usr/bin/env python3
"""The display extraction of 20,971,520 and 100,000,000 samples to 3000 points against
plain reads of the same file in the same run: the median of the extraction's runs
against the median of the reads, by one thread and by as many threads as the extraction
uses (stated). Runs alternate, within bench_extraction and between the waiting policies:
threads sleeping while they wait (as the program sets them) and spinning
(GOMP_SPINCOUNT=300000, the runtime's default). The load average stands beside each.

usage: bench/compare_extraction.py [--rounds N]"""
import argparse
import tempfile

from bench_common import BUILD, alternate, build, load_text, median, run_once

SIZES = [20971520, 100000000]
POLICIES = [("passive", None), ("spinning", {"GOMP_SPINCOUNT": "300000"})]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()
    build("bench_extraction")
    with tempfile.TemporaryDirectory(dir=BUILD) as work:
        def one(label, env):
            def run():
                counters = run_once("bench_extraction", "BM_extract", work, env)[1]
                got = {}
                for name, c in counters.items():
                    n = int(name.split("/")[1])
                    for key in ("extract_ms", "seq_read_ms", "par_read_ms", "threads"):
                        got["%s %d %s" % (label, n, key)] = c[key]
                return got
            return run

        times, loads = alternate([(label, one(label, env)) for label, env in POLICIES], args.rounds)
    m = {k: median(v) for k, v in times.items()}
    print("%d rounds alternated, medians (%s)" % (args.rounds, load_text(loads)))
    for n in SIZES:
        for label, _ in POLICIES:
            k = "%s %d " % (label, n)
            print("%11d samples, %-8s: extraction %7.2f ms on %d threads = %5.2f x the read on %d threads "
                  "(%.2f ms), %5.2f x one thread's read (%.2f ms)"
                  % (n, label, m[k + "extract_ms"], m[k + "threads"], m[k + "extract_ms"] / m[k + "par_read_ms"],
                     m[k + "threads"], m[k + "par_read_ms"], m[k + "extract_ms"] / m[k + "seq_read_ms"],
                     m[k + "seq_read_ms"]))


if __name__ == "__main__":
    main()
