#!/usr/bin/python3
"""Reference window factors and windowed samples for the window-function tests.

Where numpy or scipy define a window the same way (Hanning, Hamming, Blackman,
Bartlett, Kaiser, Blackman-Harris, flat top, Gauss of odd length) the factors come from
them. The others (triangle, Gauss of even length, fall exp, force) and the lengths of
one and two samples are computed here from their definitions, never by our code:
  mirrored index n = j for j <= ceil(N/2) - 1, else N - 1 - j
  triangle  step * n, step = scale / (ceil(N/2) - 1) in single precision (0 for N = 2)
  gauss     exp(-t^2 / 2), t = alpha (n - H) / H, H = (N - 1) div 2 (1 for N = 2)
  fall exp  expf(-5 e), e = j / (N - 1) in single precision, not mirrored
  force     1 for j <= ceil(N/2) - 1, else 0
  N <= 1    factor 1
Windowed samples: each window's product in its own order (triangle sample*step*n,
Bartlett 2*sample*n/(N-1), Kaiser (sample*I0(x_n))/I0(beta) with single-precision I0
and x_n, fall exp as a single-precision product, the others sample*w), truncated
toward zero. The column "product" lets a test see where a product lies so close to
an integer that the last bit of the factor decides the truncation.

Needs Debian's python3-numpy and python3-scipy. Run from this directory:
    python3 gen_windows.py
"""
import csv
import ctypes
import math
import os

import numpy as np
from scipy.signal import windows

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "gen_windows")

libm = ctypes.CDLL("libm.so.6")
libm.expf.restype = ctypes.c_float
libm.expf.argtypes = [ctypes.c_float]

F32 = np.float32
KAISER_BETA = float(F32(8.0 / math.pi))
GAUSS_ALPHA = 2.5
WINDOWS = ["triangle", "hanning", "hamming", "blackman", "kaiser", "blackman_harris", "gauss", "bartlett",
           "fall_exp", "flattop", "force"]
FACTOR_LENGTHS = [1, 2, 3, 4, 5, 6, 7, 16, 17, 64, 65]


def last_index(n):
    return (n + 1) // 2 - 1


def mirror(n, j):
    return j if j <= last_index(n) else n - 1 - j


def bessel_i0_f32(x):
    """The series of the definition, summed in double, rounded to single precision."""
    h = 0.5 * x
    total, term = 1.0, 1.0
    for k in range(1, 1000):
        term *= h / k
        nxt = total + term * term
        if nxt - total < float(F32(2.220446e-16)):
            return float(F32(nxt))
        total = nxt
    return float(F32(total))


def kaiser_x(n, j, beta):
    m = mirror(n, j)
    return float(F32(2.0 * beta * math.sqrt(m * (n - 1 - m)) / (n - 1)))


def triangle_step(n, scale=1.0):
    last = last_index(n)
    return float(F32(scale) / F32(last)) if last > 0 else 0.0


def gauss_half(n):
    return float(F32((n - 1) // 2))


def fall_exp_factor(n, j):
    e = float(F32(j / (n - 1)))
    return float(libm.expf(F32(-5.0) * F32(e)))


def library_factors(window, n, param):
    """numpy/scipy factors where the definition is theirs too, else None."""
    if n <= 2 and window == "gauss":
        return None
    if window == "hanning":
        return np.hanning(n)
    if window == "hamming":
        return np.hamming(n)
    if window == "blackman":
        return np.blackman(n)
    if window == "bartlett":
        return np.bartlett(n)
    if window == "kaiser":
        return np.kaiser(n, param)
    if window == "blackman_harris":
        return windows.blackmanharris(n, sym=True)
    if window == "flattop":
        return windows.flattop(n, sym=True)
    if window == "gauss" and n % 2 == 1:
        return windows.gaussian(n, std=gauss_half(n) / param, sym=True)
    return None


def formula_factor(window, n, j, param):
    if n <= 1:
        return 1.0
    m = mirror(n, j)
    if window == "triangle":
        return triangle_step(n) * m
    if window == "gauss":
        h = gauss_half(n)
        if h == 0.0:
            return 1.0
        t = param * (m - h) / h
        return math.exp(-0.5 * t * t)
    if window == "fall_exp":
        return fall_exp_factor(n, j)
    if window == "force":
        return 1.0 if j <= last_index(n) else 0.0
    raise ValueError(window)


def default_param(window):
    return KAISER_BETA if window == "kaiser" else GAUSS_ALPHA if window == "gauss" else 0.0


def factor_rows():
    cases = [(w, n, default_param(w)) for w in WINDOWS for n in FACTOR_LENGTHS]
    # Kaiser beyond 19 terms of the series, and beyond the float range of I0(beta).
    cases += [("kaiser", n, beta) for beta in (10.0, 100.0) for n in (5, 16, 17)]
    rows = []
    for window, n, param in cases:
        lib = library_factors(window, n, param)
        for j in range(n):
            if lib is not None:
                rows.append([window, n, repr(param), j, repr(float(lib[j])), "numpy/scipy"])
            else:
                rows.append([window, n, repr(param), j, repr(formula_factor(window, n, j, param)), "formula"])
    return rows


def product(window, n, j, s, param):
    """The windowed sample before truncation, formed as the definition forms it."""
    if n <= 1 or window == "rectangle":
        return float(s)
    m = mirror(n, j)
    if window == "triangle":
        return s * triangle_step(n) * m
    if window == "bartlett":
        return 2.0 * s * m / (n - 1)
    if window == "kaiser":
        return (s * bessel_i0_f32(kaiser_x(n, j, param))) / bessel_i0_f32(param)
    if window == "fall_exp":
        return float(F32(s) * F32(fall_exp_factor(n, j)))
    lib = library_factors(window, n, param)
    w = float(lib[j]) if lib is not None else formula_factor(window, n, j, param)
    return s * w


def sample_rows():
    rng = np.random.default_rng(20240518)
    rows = []
    for n in (37, 38):
        samples = rng.integers(-32767, 32768, size=n)
        samples[0] = 32767
        samples[n - 1] = -32767
        samples[n // 2] = 32767
        samples[1] = 1001
        for window in ["rectangle"] + WINDOWS:
            param = default_param(window)
            for j in range(n):
                s = int(samples[j])
                p = product(window, n, j, s, param)
                rows.append([window, n, repr(param), j, s, repr(p), int(p)])
    return rows


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "factors.csv"), "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["window", "n", "param", "j", "factor", "source"])
        w.writerows(factor_rows())
    with open(os.path.join(OUT, "samples.csv"), "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["window", "n", "param", "j", "sample", "product", "expected"])
        w.writerows(sample_rows())


if __name__ == "__main__":
    main()
