#!/usr/bin/env python3
"""The harmonic synthesis and a coupled frequency change as ratios measured in one run:
- the synthesis of orders 2 to 10 over the built-in waves (16384 samples, long double)
  against numpy in float64 computing the same formula on the same files (aim: within
  3x), the two timed in alternating rounds;
- a frequency change on channel 0 through its frequency setter, with frequency coupling
  by ratio 2 and both outputs on (channel 1's frequency derived and stored, the re-checks
  run, the change applied to both channels) against a direct
  caller replaying its transport calls, in CPU time (aim: within 3x), with the
  transport operations per change.
The load average stands beside each figure."""
import json
import os
import statistics
import subprocess
import tempfile
import timeit

from bench_common import BUILD, build, numpy_python, run_medians

numpy_python()
import numpy  # noqa: E402

build("bench_device_couple", "qelmod_waves")


def load():
    return "load %.2f %.2f %.2f" % os.getloadavg()


WAVES = os.path.join(BUILD, "config", "arb")
NAMES = {0: "0_sine_ram.bin"}
NAMES.update({n: "%d_sine_harmonic%d_wave.bin" % (201 + n, n) for n in range(2, 11)})
waves = {n: numpy.fromfile(os.path.join(WAVES, name), dtype="<i2").astype(numpy.float64)
         for n, name in NAMES.items()}
ORDERS = [(n, 0.4 / n, 37.0 * n) for n in range(2, 11)]
FUNDAMENTAL = 4.0


def synthesis():
    """The benchmark's synthesis: each order rotated by trunc(L / n x phase / 360),
    weighted by its volts over the running full scale, the sum scaled when its
    truncated peak passes 32766."""
    s = waves[0].copy()
    full = FUNDAMENTAL
    scale = 1.0
    for n, volts, phase in ORDERS:
        w = numpy.roll(waves[n], -int(16384 / n * phase / 360.0))
        t = s + w * (volts / full)
        peak = numpy.abs(numpy.trunc(t)).max()
        k = 1.0 if peak <= 32766 else 32767.0 / peak
        s = numpy.trunc(t * k)
        full /= k
        scale *= k
    return s.astype(numpy.int16), scale


ours, theirs, loads = [], [], []
for _ in range(9):
    ours.append(run_medians("bench_device_couple", "BM_harmonic_synthesis", repetitions=3)["BM_harmonic_synthesis"])
    number = 50
    theirs.append(statistics.median(timeit.repeat(synthesis, number=number, repeat=3)) / number * 1e3)
    loads.append(os.getloadavg()[0])
print(f"{'harmonic synthesis':22s} long double / numpy float64 {statistics.median(ours) / statistics.median(theirs):6.2f} x"
      f"   ({statistics.median(ours) * 1e3:.0f} us against {statistics.median(theirs) * 1e3:.0f} us)   "
      f"load {min(loads):.2f}-{max(loads):.2f}")

exe = os.path.join(BUILD, "bench", "bench_device_couple")
with tempfile.TemporaryDirectory() as work:
    out = os.path.join(work, "result.json")
    subprocess.run([exe, "--benchmark_filter=freq_change", "--benchmark_repetitions=9",
                    "--benchmark_report_aggregates_only=true", "--benchmark_enable_random_interleaving=true",
                    f"--benchmark_out={out}", "--benchmark_out_format=json"],
                   cwd=work, check=True, stdout=subprocess.DEVNULL)
    with open(out) as f:
        data = json.load(f)
cpu, ops = {}, {}
for b in data["benchmarks"]:
    if b.get("aggregate_name") == "median":
        cpu[b["run_name"]] = b["cpu_time"]
        ops[b["run_name"]] = b.get("transport_ops", 0)
print(f"{'coupled freq change':22s} cfg / direct replay (CPU) {cpu['BM_coupled_freq_change'] / cpu['BM_direct_freq_change']:6.2f} x"
      f"   transport ops {ops['BM_coupled_freq_change']:.0f}   {load()}")
