#!/usr/bin/env python3
"""Document edits on 20,971,520 samples: the undo step against `cp --reflink=never` of
the 40 MB sample file, the horizontal line's file write against an fwrite of 2 MB, the
whole line move in milliseconds, and the peak memory of the edits."""
from bench_common import build, run_medians, peak_rss_mb

build("bench_document")
m = run_medians("bench_document", "BM_(cp|record|fwrite|hline)")
print(f"undo step        {m['BM_record_undo_step'] / m['BM_cp_baseline']:5.2f} x cp      (limit 6)")
print(f"line file write  {m['BM_hline_file_write'] / m['BM_fwrite_2MB']:5.2f} x fwrite  (limit 3)")
print(f"line move        {m['BM_hline_move']:6.2f} ms            (limit 30)")
for name in ("BM_record_undo_step", "BM_hline_move", "BM_edit_chain"):
    print(f"peak {name:20s} {peak_rss_mb('bench_document', '^' + name + '/'):6.1f} MB (limit 400)")
