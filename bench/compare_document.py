#!/usr/bin/env python3
"""Document edits, each with its undo step and redraw, against copies of the document's
sample file to a new file: `cp --reflink=never` spawned directly (no shell) and the
kernel's copy_file_range in-process (the floor).
- 20,971,520 samples: recording an undo step; a horizontal line's file write against an
  fwrite of 2 MB, and the whole line move in milliseconds.
- 100,000,000 samples: invert and mirror of the whole waveform, cut and paste of
  1,000,000 samples, undo and redo, each against one copy_file_range of the 200 MB file
  (aims: 3x for the whole-waveform edits, 2x for cut and paste), with the waiting
  threads as the program sets them (passive) and as the runtime's default spins
  (GOMP_SPINCOUNT=300000).
Each round runs every benchmark once in a process of its own, the order reversed every
other round; ratios of the medians with the load average, then peak memory.

usage: bench/compare_document.py [--rounds N] [--skip-100m] [--skip-20m]"""
import argparse
import tempfile

from bench_common import BUILD, alternate, build, exact, load_text, median, peak_rss_mb, run_once

EDITS_100M = ["invert", "mirror", "cut 1M", "paste 1M", "undo", "redo"]
SPIN = {"GOMP_SPINCOUNT": "300000"}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--skip-100m", action="store_true")
    parser.add_argument("--skip-20m", action="store_true")
    args = parser.parse_args()
    build("bench_document")
    with tempfile.TemporaryDirectory(dir=BUILD) as work:
        def one(name, env=None):
            return lambda: run_once("bench_document", exact(name), work, env)[0][name]

        if not args.skip_20m:
            names = ["BM_record_undo_step", "BM_cp", "BM_copy_file_range", "BM_fwrite_2MB", "BM_hline_file_write",
                     "BM_hline_move"]
            times, loads = alternate([(n, one(n)) for n in names], args.rounds)
            m = {k: median(v) for k, v in times.items()}
            print("20,971,520 samples, %d rounds alternated, medians (%s)" % (args.rounds, load_text(loads)))
            print("undo step        %5.2f x cp  %5.2f x copy_file_range  (%.1f ms)"
                  % (m["BM_record_undo_step"] / m["BM_cp"], m["BM_record_undo_step"] / m["BM_copy_file_range"],
                     m["BM_record_undo_step"]))
            print("line file write  %5.2f x fwrite of 2 MB" % (m["BM_hline_file_write"] / m["BM_fwrite_2MB"]))
            print("line move        %6.2f ms" % m["BM_hline_move"])
        if not args.skip_100m:
            steps = [("cp", one("BM_cp_100M")), ("copy", one("BM_copy_file_range_100M"))]
            for i, edit in enumerate(EDITS_100M):
                name = "BM_edit_100M/edit:%d" % i
                steps.append((edit, one(name)))
                steps.append((edit + " spinning", one(name, SPIN)))
            times, loads = alternate(steps, args.rounds)
            m = {k: median(v) for k, v in times.items()}
            print("100,000,000 samples, %d rounds alternated, medians (%s)" % (args.rounds, load_text(loads)))
            print("cp %.1f ms, copy_file_range %.1f ms" % (m["cp"], m["copy"]))
            for edit in EDITS_100M:
                print("%-10s %7.1f ms  %5.2f x copy_file_range  %5.2f x cp   spinning: %7.1f ms  %5.2f x"
                      % (edit, m[edit], m[edit] / m["copy"], m[edit] / m["cp"], m[edit + " spinning"],
                         m[edit + " spinning"] / m["copy"]))
    # A cut reads its source file mapped: its figure counts those pages of the page cache.
    for name in ["BM_record_undo_step", "BM_hline_move", "BM_edit_chain"] + (
            [] if args.skip_100m else ["BM_edit_100M/edit:0", "BM_edit_100M/edit:2"]):
        print("peak %-22s %6.1f MB" % (name, peak_rss_mb("bench_document", exact(name))))


if __name__ == "__main__":
    main()
