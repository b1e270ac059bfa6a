#!/usr/bin/env python3
"""Text exports and the wave files the importer must write for them (test_cfg_text2bin_wave_data.cpp).

For each form of export the script writes a small input file and, beside it, the expected
32768-byte output: 16384 little-endian int16 samples.

  values    read line by line after the form's header lines (DATA 13, Amplitude 1,
            DUVARN with "Ampl" 3, DUVARN 5, Record 0); the value text is field 1
            (DATA, DUVARN), the whole line (Amplitude, DUVARN with "Ampl") or field 4
            (Record); fields are cut at commas; a line without that field gives nothing
  x         float32 of the text's number (Python's float() rounds as strtod does)
  max, min  start at 0.0; x > max sets max, otherwise x < min sets min
  peak      the larger of |float32(max)| and |float32(min)|; factor = 32767 / peak (double)
  sample    trunc(x * factor) for the first 16384 values, then zeros

Run with python3 and numpy from this folder; it rewrites the *.csv, *.dat and *.bin files."""
import math
import numpy as np

WAVE_POINTS = 16384
HEADER = {"data": 13, "amplitude": 1, "duvarn_ampl": 3, "duvarn": 5, "record": 0}
FIELD = {"data": 1, "amplitude": None, "duvarn_ampl": None, "duvarn": 1, "record": 4}


def fields(line):
    parts = line.split(",")
    if parts and parts[-1] == "":
        parts.pop()
    return parts


def expected(lines, form):
    values = []
    vmax = 0.0
    vmin = 0.0
    for line in lines[HEADER[form]:]:
        if line == "":
            continue
        if FIELD[form] is None:
            text = line
        else:
            f = fields(line)
            if len(f) <= FIELD[form]:
                continue
            text = f[FIELD[form]]
        try:
            number = float(text.strip())
        except ValueError:
            number = 0.0
        x = np.float32(number)
        values.append(x)
        if x > vmax:
            vmax = float(x)
        elif x < vmin:
            vmin = float(x)
    peak = float(max(abs(np.float32(vmax)), abs(np.float32(vmin))))
    samples = np.zeros(WAVE_POINTS, dtype="<i2")
    if peak != 0.0:
        factor = 32767.0 / peak
        for i, x in enumerate(values[:WAVE_POINTS]):
            samples[i] = math.trunc(float(x) * factor)
    return samples


def wave(n, seed):
    rng = np.random.default_rng(seed)
    t = np.arange(n)
    return 1.7 * np.sin(2 * np.pi * t / 97.0) + 0.4 * rng.standard_normal(n) - 0.2


def write(name, lines, form, newline="\n"):
    with open(name, "w", newline="") as out:
        out.write(newline.join(lines) + newline)
    expected(lines, form).tofile(name + ".bin")


def main():
    v = wave(300, 1)
    write("amplitude_crlf.csv", ["Amplitude"] + ["%.6e" % x for x in v], "amplitude", "\r\n")

    v = wave(250, 2)
    head = ["Time data,", "Sample Interval,2e-06", "", "Record Length,250", "Trigger Point,0.000125"]
    head += ["Info %d,%d" % (i, i) for i in range(8)]
    rows = ["%.9f,%.5f,junk" % (i * 2e-6, x) for i, x in enumerate(v)]
    rows[7] = "0.000014"  # no field 1: no value
    write("data_form.csv", head + rows, "data")

    v = wave(200, 3)
    write("duvarn_ampl.dat", ["DUVARN export", "x", "Amplitude"] + ["%.4f" % x for x in v], "duvarn_ampl")

    v = wave(200, 4)
    head = ["DUVARN export", "x", "Time,Ampl", "y", "z"]
    write("duvarn.dat", head + ["%d,%.5g" % (i, x) for i, x in enumerate(v)], "duvarn")

    v = wave(400, 5)
    rows = ["Record Length,400,,-0.000005,%.6f" % v[0]]
    rows += [",,,%.8f,%.6f" % (i * 1e-8, x) for i, x in enumerate(v[1:], 1)]
    rows[50] = ",,,0.5"  # four fields only: no value
    rows[51] = ""
    write("record.csv", rows, "record")


if __name__ == "__main__":
    main()
