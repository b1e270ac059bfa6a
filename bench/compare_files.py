#!/usr/bin/python3
"""The waveform files beside pandas and numpy doing the same work, in one session:
each round runs every benchmark of bench_files once in a process of its own and every
peer, the order reversed every other round; ratios of the medians, with the load
average.

  write .csv, 20,971,520 rows: pandas writes the same bytes (the parameter lines by
    hand, the rows with to_csv), and both sync; the bytes are compared once.
  read: the peer produces the same output, the one value column scaled to int16 as
    the reader does and written as a raw file (checked against ours once):
    .csv 20,971,520 rows vs pandas.read_csv (aim: 5x faster),
    .csv 1,048,576 rows vs numpy.loadtxt (aim: 3x faster) and vs pandas,
  .dat written by our writer vs the .csv of the same rows (aim: within 1.5x),
  .csv without parameter lines vs with them (aim: the same time),
  and the peak memory of each read at 20,971,520 rows (aim for .dat: 64 MB).

(Debian's python3-numpy and python3-pandas, hence /usr/bin/python3.)
usage: bench/compare_files.py [--rounds N]"""
import argparse
import os
import shutil
import subprocess
import tempfile

from bench_common import BUILD, alternate, build, exact, load_text, median, numpy_python, run_once, timed_ms

numpy_python()
import numpy as np  # noqa: E402
import pandas  # noqa: E402

N = 20_971_520
N_1M = 1_048_576
AMP, OFFSET = np.float32(2.5), np.float32(0.1)
HEAD_LINES = 13  # five parameter lines, seven empty ones, "xpos,value"


def fresh(path):
    """A new file at path, as our writers make one (emptying an old one would wait for
    its write-back)."""
    if os.path.exists(path):
        os.remove(path)
    return path


def to_int16(v, high, low):
    """The reader's scaling in single precision: out of range or NaN gives -32768."""
    high, low = np.float32(high), np.float32(low)
    c = np.float32((high + low) * np.float32(0.5))
    d = np.float32((high - low) * np.float32(0.5))
    with np.errstate(all="ignore"):
        s = (v.astype(np.float32) - c) / d * np.float32(32767.0)
        ok = (s > -32769.0) & (s < 32768.0)
    return np.where(ok, np.trunc(np.where(ok, s, 0)), -32768).astype(np.int16)


def pandas_write(samples, path):
    volts = samples.astype(np.float64) / 32767.0 * np.float64(AMP) / 2.0 + np.float64(OFFSET)
    frame = pandas.DataFrame({"i": np.arange(1, samples.size + 1), "v": volts})
    with open(fresh(path), "w", newline="") as f:
        f.write("data length,%d\r\nfrequency,%f\r\namp,%f\r\noffset,%f\r\nphase,%f\r\n"
                % (samples.size, 1000.0, AMP, OFFSET, 0.0))
        f.write("\r\n" * 7 + "xpos,value\r\n")
        frame.to_csv(f, header=False, index=False, float_format="%g", lineterminator="\r\n")
        f.flush()
        os.fsync(f.fileno())


def levels_of_parameters():
    return OFFSET + AMP * np.float32(0.5), OFFSET - AMP * np.float32(0.5)


def pandas_read(path, skip, with_parameters, out):
    v = pandas.read_csv(path, skiprows=skip, header=None, usecols=[1], dtype={1: np.float32},
                        engine="c")[1].to_numpy()
    high, low = levels_of_parameters() if with_parameters else (v.max(), v.min())
    to_int16(v, high, low).tofile(fresh(out))


def numpy_loadtxt(path, out):
    v = np.loadtxt(path, delimiter=",", skiprows=HEAD_LINES, usecols=1, dtype=np.float32)
    high, low = levels_of_parameters()
    to_int16(v, high, low).tofile(fresh(out))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()
    build("bench_files")
    exe = os.path.join(BUILD, "bench", "bench_files")
    # Same file system as the build, not a RAM disk, so both sides pay the same I/O.
    work = tempfile.mkdtemp(prefix="compare_files_", dir=BUILD)
    try:
        def spawn(*args):
            subprocess.run([exe, *args], cwd=work, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        for kind in ("csv", "dat", "csv_plain"):
            for n in (N_1M, N):
                spawn("--write=%s:%d" % (kind, n))
        csv = lambda n: os.path.join(work, "bench_files_%d.csv" % n)  # noqa: E731
        plain = os.path.join(work, "bench_files_plain_%d.csv" % N)
        out = os.path.join(work, "peer.bin")
        ours_bin = os.path.join(work, "ours.bin")

        # Once: the peers' bytes against ours.
        spawn("--source=%d:%s" % (N, ours_bin))
        samples = np.fromfile(ours_bin, dtype="<i2")
        pandas_write(samples, out)
        same_write = open(out, "rb").read() == open(csv(N), "rb").read()
        checks = []
        for label, kind, n, peer in [
                (".csv 20M, pandas", "csv", N, lambda: pandas_read(csv(N), HEAD_LINES, True, out)),
                (".csv 1M, numpy.loadtxt", "csv", N_1M, lambda: numpy_loadtxt(csv(N_1M), out)),
                (".csv 20M without parameters, pandas", "csv_plain", N, lambda: pandas_read(plain, 1, False, out))]:
            spawn("--open=%s:%d:%s" % (kind, n, ours_bin))
            peer()
            a, b = np.fromfile(ours_bin, dtype="<i2"), np.fromfile(out, dtype="<i2")
            checks.append("%s: %s" % (label, "same bytes" if a.size == b.size and (a == b).all() else
                                      "%d of %d samples differ" % (int((a != b).sum()) if a.size == b.size
                                                                    else -1, a.size)))

        def ours(name):
            return lambda: run_once("bench_files", exact(name), work)[0][name]

        names = ["BM_csv_write/%d" % N, "BM_csv_read/%d" % N, "BM_csv_read/%d" % N_1M, "BM_dat_read/%d" % N,
                 "BM_csv_plain_read/%d" % N]
        steps = [(n, ours(n)) for n in names]
        steps += [("pandas write", lambda: timed_ms(lambda: pandas_write(samples, out))),
                  ("pandas read", lambda: timed_ms(lambda: pandas_read(csv(N), HEAD_LINES, True, out))),
                  ("pandas read 1M", lambda: timed_ms(lambda: pandas_read(csv(N_1M), HEAD_LINES, True, out))),
                  ("loadtxt 1M", lambda: timed_ms(lambda: numpy_loadtxt(csv(N_1M), out)))]
        times, loads = alternate(steps, args.rounds)
        m = {k: median(v) for k, v in times.items()}
        peaks = {}
        for kind in ("csv", "dat", "csv_plain"):
            r = subprocess.run([exe, "--peak=%s:%d" % (kind, N)], cwd=work, capture_output=True, text=True)
            peaks[kind] = int(r.stderr.split()[-1]) / 1024.0
        size = os.path.getsize(csv(N))
    finally:
        shutil.rmtree(work, ignore_errors=True)

    print("%d rounds alternated, medians (%s); .csv of 20,971,520 rows %.0f MB" % (args.rounds, load_text(loads),
                                                                                  size / 1e6))
    print("peers' output: write %s; %s" % ("same bytes" if same_write else "BYTES DIFFER", "; ".join(checks)))
    r = lambda a, b: m[a] / m[b]  # noqa: E731
    rows = [
        ("write .csv 20M: pandas / ours (both synced)", r("pandas write", "BM_csv_write/%d" % N), "-"),
        ("read .csv 20M: pandas / ours", r("pandas read", "BM_csv_read/%d" % N), ">= 5"),
        ("read .csv 1M: numpy.loadtxt / ours", r("loadtxt 1M", "BM_csv_read/%d" % N_1M), ">= 3"),
        ("read .csv 1M: pandas / ours", r("pandas read 1M", "BM_csv_read/%d" % N_1M), "-"),
        ("read .dat 20M / read .csv 20M", r("BM_dat_read/%d" % N, "BM_csv_read/%d" % N), "<= 1.5"),
        ("read .csv 20M without / with parameter lines", r("BM_csv_plain_read/%d" % N, "BM_csv_read/%d" % N),
         "~ 1"),
    ]
    for name, ratio, aim in rows:
        print("%-48s %7.2f   aim %s" % (name, ratio, aim))
    print("ours (ms): " + ", ".join("%s %.0f" % (k[3:], m[k]) for k in names))
    print("peak memory of a read of 20,971,520 rows (MiB): " + ", ".join("%s %.1f" % kv for kv in peaks.items())
          + " (aim for .dat <= 64)")


if __name__ == "__main__":
    main()
