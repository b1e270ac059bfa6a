#!/usr/bin/env python3
"""Golden samples of the noise generator for fixed seeds, computed from its formula.

The draws are the C runtime's rand() (state * 214013 + 2531011, bits 16..30), two per
value; logf and cosf come from the C math library through ctypes and every value named
single precision is rounded through numpy.float32, so the goldens match a correct build
bit for bit. Writes gen_noise/seed<seed>_<n>.bin (raw little-endian int16).
Run from this directory: python3 gen_noise.py
"""
import ctypes
import math
import os

import numpy as np

libm = ctypes.CDLL("libm.so.6")
libm.logf.restype = ctypes.c_float
libm.logf.argtypes = [ctypes.c_float]
libm.cosf.restype = ctypes.c_float
libm.cosf.argtypes = [ctypes.c_float]

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "gen_noise")
CASES = [(12345, 16384), (7, 5000), (99, 70001), (3, 1)]


def f32(v):
    return float(np.float32(v))


def draws(seed, count):
    state = seed & 0xFFFFFFFF
    out = []
    for _ in range(count):
        state = (state * 214013 + 2531011) & 0xFFFFFFFF
        out.append((state >> 16) & 0x7FFF)
    return out


def tables():
    two_pi = 6.283185307179586476925286766559
    sqrt2 = 1.4142135623730950488016887242097
    radius, cosine = [], []
    for r in range(32768):
        u = f32(r / 32767.0)
        u1 = f32(1e-8) if u == 0.0 else u
        radius.append(f32(math.sqrt(-float(libm.logf(u1)))))
        cs = float(libm.cosf(f32(two_pi * u)))
        cosine.append(f32(cs * sqrt2))
    return radius, cosine


def noise(seed, n, radius, cosine):
    d = draws(seed, 2 * n)
    x = [f32(cosine[d[2 * i + 1]] * radius[d[2 * i]]) for i in range(n)]
    lo = min(0.0, min(x))
    hi = max(0.0, max(x))
    span = hi - lo
    out = []
    for v in x:
        if span == 0.0:
            out.append(0)
            continue
        s = f32(2.0 * (v - lo) / span - 1.0) * 32767.0
        out.append(max(-32768, min(32767, int(s))))
    return out


def main():
    os.makedirs(OUT, exist_ok=True)
    radius, cosine = tables()
    for seed, n in CASES:
        np.array(noise(seed, n, radius, cosine), dtype="<i2").tofile(os.path.join(OUT, "seed%d_%d.bin" % (seed, n)))


if __name__ == "__main__":
    main()
