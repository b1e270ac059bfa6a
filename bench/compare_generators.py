#!/usr/bin/python3
"""The generators beside fwrite of the same bytes and beside numpy making and writing
the same kind of waveform (every numpy peer writes its int16 file too, each to a new file
as the generators do), in one session:
each round runs the generator benchmarks once in a process of their own and the numpy
peers, the order reversed every other round; ratios of the medians with the load
average. The template is read whole before every template run and its baseline, so both
find it in the page cache.

  20,971,520 points (10 cycles, phase 30, unless one cycle is said):
    noise / fwrite (aim <= 5), numpy noise / noise (aim >= 4), also at 1,048,576
    sine from the template and computed, 10 cycles and one / fwrite (aim <= 3)
    multi-pulse, sinc of one cycle / fwrite (aim <= 3)
    the other generators / fwrite
  generators with waiting threads spinning (GOMP_SPINCOUNT=300000) / as the program sets
  them, and the peak memory of every generator at 100,000,000 points (aim <= 256 MB).

(Debian's python3-numpy, hence /usr/bin/python3.)
usage: bench/compare_generators.py [--rounds N] [--skip-peak]"""
import argparse
import os
import shutil
import subprocess
import tempfile

from bench_common import BUILD, alternate, build, load_text, median, numpy_python, run_once, timed_ms

numpy_python()
import numpy as np  # noqa: E402

N = 20_971_520
N_1M = 1_048_576
GENERATORS = ["sine_template", "sine_template_c1", "sine_computed", "square", "ramp", "pulse", "noise", "noise_1M",
              "dc", "sinc", "sinc_c1", "stair", "exp", "multi_pulse"]
SPIN = {"GOMP_SPINCOUNT": "300000"}


def fresh(path):
    """A new file at path, as the generators and fwrite write one."""
    if os.path.exists(path):
        os.remove(path)
    return path


def numpy_noise(n, path):
    v = np.random.default_rng().standard_normal(n, dtype=np.float32)
    lo, hi = min(float(v.min()), 0.0), max(float(v.max()), 0.0)
    ((2.0 * (v - lo) / (hi - lo) - 1.0) * 32767.0).astype(np.int16).tofile(fresh(path))


def numpy_sinc(x, path):
    (np.sinc(x) * np.float32(32767.0)).astype(np.int16).tofile(fresh(path))


def numpy_sine(path):
    j = np.arange(N, dtype=np.float64) * (50_000_000 / N)
    np.round(32767.0 * np.sin(2.0 * np.pi * j / 50_000_000)).astype(np.int16).tofile(fresh(path))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--skip-peak", action="store_true")
    args = parser.parse_args()
    build("bench_generators")
    bench = os.path.join(BUILD, "bench", "bench_generators")
    # Same file system as the build, so every write lands where the baselines' do.
    work = tempfile.mkdtemp(prefix="compare_generators_", dir=BUILD)
    try:
        out = os.path.join(work, "numpy.bin")
        x = np.linspace(-10.0, 10.0, N, dtype=np.float32)
        run_once("bench_generators", "BM_template", work)  # writes the template once

        def ours(env=None):
            return run_once("bench_generators", "BM_(generate|fwrite|template)", work, env)[0]

        def spinning():
            got = run_once("bench_generators", "BM_generate", work, SPIN)[0]
            return {k + " spinning": v for k, v in got.items()}

        steps = [("ours", ours), ("spinning", spinning),
                 ("numpy noise", lambda: timed_ms(lambda: numpy_noise(N, out))),
                 ("numpy noise 1M", lambda: timed_ms(lambda: numpy_noise(N_1M, out))),
                 ("numpy sinc", lambda: timed_ms(lambda: numpy_sinc(x, out))),
                 ("numpy sine", lambda: timed_ms(lambda: numpy_sine(out)))]
        times, loads = alternate(steps, args.rounds)
        m = {k: median(v) for k, v in times.items()}
        peaks = {}
        if not args.skip_peak:
            for name in GENERATORS:
                if name == "noise_1M":
                    continue
                got = subprocess.run([bench, "--peak=%s:100000000" % name], cwd=work, capture_output=True,
                                     text=True).stdout.split()
                peaks[name] = int(got[-1]) / 1024.0 if got else float("nan")
    finally:
        shutil.rmtree(work, ignore_errors=True)

    fw, fw1 = m["BM_fwrite/0"], m["BM_fwrite/1"]
    g = {name: m["BM_generate/" + name] for name in GENERATORS}
    print("%d rounds alternated, medians (%s)" % (args.rounds, load_text(loads)))
    print("baselines (ms): fwrite 40 MB %.1f, fwrite 2 MB %.2f, template read + fwrite %.1f, numpy noise %.1f, "
          "numpy noise 1M %.2f, numpy sinc %.1f, numpy sine %.1f"
          % (fw, fw1, m["BM_template_read_fwrite"], m["numpy noise"], m["numpy noise 1M"], m["numpy sinc"],
             m["numpy sine"]))
    rows = [
        ("noise / fwrite", g["noise"] / fw, "<= 5"),
        ("numpy noise / noise", m["numpy noise"] / g["noise"], ">= 4"),
        ("noise 1M / fwrite 2 MB", g["noise_1M"] / fw1, "<= 5"),
        ("numpy noise 1M / noise 1M", m["numpy noise 1M"] / g["noise_1M"], ">= 4"),
        ("sine (template) / fwrite", g["sine_template"] / fw, "<= 3"),
        ("sine (template), one cycle / fwrite", g["sine_template_c1"] / fw, "<= 3"),
        ("sine (computed) / fwrite", g["sine_computed"] / fw, "<= 3"),
        ("numpy sine / sine (template)", m["numpy sine"] / g["sine_template"], "-"),
        ("sine (template) / (template read + fwrite)", g["sine_template"] / m["BM_template_read_fwrite"], "-"),
        ("multi-pulse / fwrite", g["multi_pulse"] / fw, "<= 3"),
        ("sinc, one cycle / fwrite", g["sinc_c1"] / fw, "<= 3"),
        ("numpy sinc / sinc, one cycle", m["numpy sinc"] / g["sinc_c1"], "-"),
    ]
    rows += [("%s / fwrite" % name, g[name] / fw, "-") for name in ["sinc", "ramp", "pulse", "square", "stair", "exp",
                                                                      "dc"]]
    print("%-46s %8s %8s" % ("ratio", "measured", "aim"))
    for name, ratio, aim in rows:
        print("%-46s %8.2f %8s" % (name, ratio, aim))
    print("waiting threads spinning / passive (ms):")
    print("  " + ", ".join("%s %.0f/%.0f" % (name, m["BM_generate/%s spinning" % name], g[name])
                           for name in GENERATORS))
    if peaks:
        print("peak memory at 100,000,000 points (MiB, aim <= 256): "
              + ", ".join("%s %.0f" % kv for kv in peaks.items()))


if __name__ == "__main__":
    main()
