#!/usr/bin/env python3
"""Golden samples of the periodic generators, computed straight from their formulas.

Writes gen_generators/cases.csv and one raw little-endian int16 file per case. Values
named single precision are rounded through numpy.float32; sinf, cosf and logf come from
the C math library through ctypes, so the goldens match a correct build bit for bit.
Run from this directory: python3 gen_generators.py
"""
import csv
import ctypes
import math
import os

import numpy as np

libm = ctypes.CDLL("libm.so.6")
libm.sinf.restype = ctypes.c_float
libm.sinf.argtypes = [ctypes.c_float]

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "gen_generators")
TPL = 50_000_000


def f32(v):
    return float(np.float32(v))


def trunc(v):
    return int(v)  # toward zero


def round_half_away(v):
    return int(math.floor(abs(v) + 0.5)) * (1 if v >= 0 else -1)


def phase_offset(p, phi):
    return trunc(p * phi / 360.0) if phi >= 0 else trunc(p + p * phi / 360.0)


def sine(n, c, phase, _):
    p = n // c
    s = TPL / p
    phi = f32(phase)
    x = 0.0
    if phi > 0:
        x = phi / 360.0 * TPL
    elif phi < 0:
        x = (phi + 360.0) / 360.0 * TPL
    if x >= TPL:
        x -= TPL
    out = []
    for _k in range(n):
        j = int(x)
        out.append(round_half_away(32767.0 * math.sin(2.0 * math.pi * j / TPL)))
        x += s
        if x >= TPL:
            x -= TPL
    return out


def square(n, c, phase, duty):
    p = n // c
    high = np.float32(p * (f32(duty) / 100.0))
    q = phase_offset(p, f32(phase)) % p
    out = []
    for _k in range(n):
        out.append(32767 if high > np.float32(q) else -32767)
        q = (q + 1) % p
    return out


def ramp(n, c, phase, sym):
    p = n // c
    sym = f32(sym)
    a = trunc(f32(p) * sym / 100.0)
    b = trunc((100.0 - sym) * p / 100.0)
    phi = f32(phase)
    if phi < 0:
        phi += 360.0
    off = trunc(p * phi / 360.0 + math.floor(a / 2))
    out = []
    for k in range(n):
        h = (k + off) % p
        if h < a:
            out.append(trunc(h * 65535.0 / a - 32768.0))
        else:
            out.append(trunc(32767.0 - (h - a) * 65535.0 / b))
    return out


def pulse(n, c, phase, wrf):
    w, r, f = (f32(v) for v in wrf)
    p = n // c
    top = f32(max(0.0, w - (r + f) * 0.5))
    d = phase_offset(p, f32(phase))
    out = []
    for k in range(n):
        g = k % p
        if g < d:
            v = -32767
        elif g < d + r:
            v = trunc((g - d) * 65534.0 / r - 32767.0)
        elif g < d + r + top:
            v = 32767
        elif g < d + r + top + f:
            v = trunc(32767.0 - (g - d - r - top) * 65534.0 / f)
        else:
            v = -32767
        out.append(v)
    return out


def sinc(n, c, phase, z):
    p = n // c
    a = p // 2
    off = phase_offset(p, f32(phase))
    out = []
    for k in range(n):
        h = k % p
        x = f32((h - a - off) / f32(a))
        t = f32(x * z * math.pi)
        out.append(32767 if t == 0.0 else trunc(libm.sinf(t) / t * 32767.0))
    return out


def stair(up):
    def gen(n, c, phase, steps):
        p = n // c
        d = f32(65534.0 / (steps - 1))
        levels = [trunc(j * d - 32767.0) for j in range(steps)]
        if not up:
            levels.reverse()
        step = p // steps
        off = phase_offset(p, f32(phase))
        return [levels[min(((k + off) % p) // step, steps - 1)] for k in range(n)]
    return gen


def expo(rise):
    def gen(n, c, phase, damp):
        p = n // c
        damp = f32(damp)
        off = phase_offset(p, f32(phase))
        out = []
        for k in range(n):
            e = math.exp(-damp * (((k + off) % p) / p))
            y = 1.0 - e if rise else e
            out.append(trunc((2.0 * y - 1.0) * 32767.0))
        return out
    return gen


# name, wave type, points, cycles, phase, parameters
CASES = [
    ("sine_16384_c1", 0, 16384, 1, 0.0, []),
    ("sine_16384_c2", 0, 16384, 2, 0.0, []),
    ("sine_1000_c3_p45", 0, 1000, 3, 45.0, []),
    ("sine_1000_m90", 0, 1000, 1, -90.0, []),
    ("sine_5000_c7_p360", 0, 5000, 7, 360.0, []),
    ("sine_n_eq_c", 0, 7, 7, 0.0, []),
    ("sine_997_c1_p123", 0, 997, 1, 123.4, []),
    ("square_16384_d50", 1, 16384, 1, 0.0, [50.0]),
    ("square_1000_m90", 1, 1000, 1, -90.0, [50.0]),
    ("square_3000_c3_p30_d25", 1, 3000, 3, 30.0, [25.0]),
    ("square_d0", 1, 1000, 1, 0.0, [0.0]),
    ("square_d100", 1, 1000, 1, 0.0, [100.0]),
    ("square_999_c2_p360_d33", 1, 999, 2, 360.0, [33.3]),
    ("ramp_1000_s50", 3, 1000, 1, 0.0, [50.0]),
    ("ramp_1000_m180", 3, 1000, 1, -180.0, [50.0]),
    ("ramp_1000_p180", 3, 1000, 1, 180.0, [50.0]),
    ("ramp_s0", 3, 1000, 1, 0.0, [0.0]),
    ("ramp_s100", 3, 1000, 1, 0.0, [100.0]),
    ("ramp_4096_c3_p77_s30", 3, 4096, 3, 77.7, [30.0]),
    ("pulse_defaults", 2, 16384, 1, 0.0, [1000.0, 200.0, 200.0]),
    ("pulse_f400", 2, 2000, 1, 0.0, [1000.0, 200.0, 400.0]),
    ("pulse_r0", 2, 2000, 2, 0.0, [300.0, 0.0, 100.0]),
    ("pulse_p90", 2, 1000, 1, 90.0, [300.0, 100.0, 100.0]),
    ("pulse_m90_cut", 2, 1000, 1, -90.0, [300.0, 100.0, 100.0]),
    ("pulse_c3", 2, 3000, 3, 0.0, [400.0, 50.0, 150.0]),
    ("pulse_n2", 2, 2, 1, 0.0, [1000.0, 200.0, 200.0]),
    ("pulse_wide_cut", 2, 1500, 1, 10.0, [1400.0, 300.0, 300.0]),
    ("sinc_16384_z10", 6, 16384, 1, 0.0, [10]),
    ("sinc_p2", 6, 2, 1, 0.0, [10]),
    ("sinc_5000_c2_p45_z3", 6, 5000, 2, 45.0, [3]),
    ("sinc_999_m30_z7", 6, 999, 1, -30.0, [7]),
    ("stair_up_s8", 7, 16384, 1, 0.0, [8]),
    ("stair_dn_s8", 8, 16384, 1, 0.0, [8]),
    ("stair_up_s3", 7, 999, 1, 0.0, [3]),
    ("stair_up_s7_tail", 7, 1000, 1, 0.0, [7]),
    ("stair_dn_m90", 8, 1000, 1, -90.0, [6]),
    ("stair_dn_p270", 8, 1000, 1, 270.0, [6]),
    ("stair_up_s_eq_p", 7, 8, 1, 0.0, [8]),
    ("stair_up_5000_c2_p33_s5", 7, 5000, 2, 33.0, [5]),
    ("exp_rise_k5", 9, 1000, 1, 0.0, [5.0]),
    ("exp_fall_k5_c3", 10, 3000, 3, 0.0, [5.0]),
    ("exp_rise_k0", 9, 500, 1, 0.0, [0.0]),
    ("exp_fall_k0", 10, 500, 1, 0.0, [0.0]),
    ("exp_fall_m45_k2_5", 10, 1000, 1, -45.0, [2.5]),
    ("exp_rise_4000_c2_p100_k37", 9, 4000, 2, 100.0, [37.0]),
]

GEN = {0: sine, 1: square, 2: pulse, 3: ramp, 6: sinc, 7: stair(True), 8: stair(False),
       9: expo(True), 10: expo(False)}


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "cases.csv"), "w", newline="") as fh:
        w = csv.writer(fh, lineterminator="\n")
        w.writerow(["name", "type", "points", "cycles", "phase", "p1", "p2", "p3"])
        for name, wtype, n, c, phase, params in CASES:
            arg = params if wtype == 2 else (params[0] if params else None)
            samples = GEN[wtype](n, c, phase, arg)
            assert len(samples) == n
            assert all(-32768 <= v <= 32767 for v in samples)
            np.asarray(samples, dtype="<i2").tofile(os.path.join(OUT, name + ".bin"))
            w.writerow([name, wtype, n, c, phase] + (list(params) + [0, 0, 0])[:3])


if __name__ == "__main__":
    main()
