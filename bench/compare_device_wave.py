#!/usr/bin/python3
"""The wave store beside direct work on the same data, each as a ratio measured in one
run with the rounds interleaved: building the store from the built-in wave set against
reading the same files with one read each (aim: within 2x), the generators, resampling
up and down and the DAC scaling at 16384 samples against a memcpy of that output (aim:
within 3x), and the interpolation of 3000 samples to 16384 against numpy.interp on the
same data (aim: no slower). The load average stands beside each figure."""
import os
import statistics
import timeit

import numpy

from bench_common import build, run_medians

build("bench_device_wave")
m = run_medians("bench_device_wave", repetitions=9, extra_args=["--benchmark_enable_random_interleaving=true"])


def load():
    return "load %.2f %.2f %.2f" % os.getloadavg()


print(f"{'store build':20s} store / direct read  {m['BM_store_build'] / m['BM_direct_read']:6.2f} x   {load()}")
for label, name in [("square", "BM_square"), ("ramp", "BM_ramp"), ("resample 3000 up", "BM_resample_up"),
                    ("resample 40000 down", "BM_resample_down"), ("DAC scaling", "BM_scale")]:
    print(f"{label:20s} driver / memcpy       {m[name] / m['BM_memcpy']:6.2f} x   {load()}")

# numpy.interp on the benchmark's input: 3000 samples at 0..2999, 16384 points spread
# over the same span. The two are timed in alternating rounds.
n_in, n_out = 3000, 16384
fp = numpy.array([((i * 7919) % 65536) - 32768 for i in range(n_in)], dtype=numpy.float64)
xp = numpy.arange(n_in, dtype=numpy.float64)
x = numpy.linspace(0.0, n_in - 1, n_out)
ours, theirs = [], []
for _ in range(9):
    ours.append(run_medians("bench_device_wave", "BM_interpolate", repetitions=3)["BM_interpolate"])
    number = 200
    theirs.append(statistics.median(timeit.repeat(lambda: numpy.interp(x, xp, fp), number=number, repeat=3)) / number * 1e3)
ratio = statistics.median(ours) / statistics.median(theirs)
print(f"{'interpolate 16384':20s} driver / numpy.interp {ratio:6.2f} x   {load()}")
