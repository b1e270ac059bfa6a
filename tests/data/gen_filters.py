#!/usr/bin/python3
"""Reference tables of the IIR filter engine, computed with scipy and numpy.

Writes into gen_filters/:
- designs.csv: one filter design per row (family 0 Butterworth, 1 Chebyshev,
  2 inverse Chebyshev, 3 elliptic; band 0 low-pass, 1 high-pass, 2 band-pass,
  3 band-stop; edges e1..e4 in the argument order of the filter request), with
  `order`, the order the requirements need by the classic estimate (log ratio for
  Butterworth, acosh ratio for Chebyshev, ratio of complete elliptic integrals for
  elliptic), computed from the prewarped edges with the narrower transition of a band
  made geometrically symmetric (-7 when the estimate lies below 1 or above 200, which
  the engine refuses), and `scipy_order`, what buttord, cheb1ord, cheb2ord or
  ellipord give for the same requirements (their band-stop forms optimise the edges
  and may need less).
- response.csv: magnitude in dB at a grid of frequencies for the Butterworth, Chebyshev
  and inverse Chebyshev rows, from scipy's butter, cheby1 and cheby2 of that order in
  second-order sections (sosfreqz), with the cut-off each family's normalisation
  implies: Butterworth at the frequency where it loses 3 dB when it meets the passband
  gain at the passband edge, Chebyshev at the passband edges, inverse Chebyshev at the
  stopband edges (for a band, the moved edge is the one scipy gets). The elliptic rows
  are checked against their requirements instead: scipy's elliptic design solves for
  its own transition band, so its coefficients differ.
- sosfilt_sections.csv and sosfilt_signal.csv: sections (b0 b1 b2 a0 a1 a2) and a
  signal, samples int16 with an amplitude and offset, x = sample / 32767 * amp / 2 +
  offset rounded to float32, y = scipy.signal.sosfilt(sections, x) in float64 (for
  sections with a0 other than 1, of the sections divided by their a0).
- elliptic_functions.csv: K(k) = scipy.special.ellipk(k^2); sn, cn, dn = ellipj(u, k^2);
  F(arctan x, sqrt(1 - k^2)) = ellipkinc(arctan x, 1 - k^2).

Run from this directory with Debian's python3-numpy and python3-scipy:
python3 gen_filters.py
"""
import csv
import math
import os

import numpy as np
from scipy import signal, special

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "gen_filters")
f32 = np.float32

# family, band, fs, e1..e4 (request order), apass, astop
CASES = []
for fam in range(4):
    CASES += [
        (fam, 0, 48000, 4000, 6000, 0, 0, -1, -40),
        (fam, 0, 1e6, 1000, 2000, 0, 0, -1, -40),
        (fam, 0, 48000, 4000, 4400, 0, 0, -0.1, -80),
        (fam, 0, 100, 10, 30, 0, 0, -3, -12),
        (fam, 0, 100, 10, 30, 0, 0, -3, -20),
        (fam, 0, 48000, 4000, 4010, 0, 0, -0.02, -99),
        (fam, 1, 48000, 2000, 3000, 0, 0, -1, -50),
        (fam, 1, 1e5, 10000, 12000, 0, 0, -0.1, -80),
        (fam, 2, 48000, 1000, 2000, 4000, 7000, -1, -40),
        (fam, 2, 1e6, 100e3, 150e3, 200e3, 260e3, -0.5, -60),
        (fam, 3, 48000, 1000, 2000, 4000, 7000, -1, -40),
        (fam, 3, 2e5, 10e3, 20e3, 30e3, 50e3, -0.2, -70),
        (fam, 0, 9e11, 1e11, 2e11, 0, 0, -1, -60),
    ]


def warp(f_hz, fs):
    """The prewarped edge as the engine stores it: float32 rad/s, K tan(edge / K)."""
    k = f32(2.0 * fs)
    edge = f32(f32(f_hz) * 2.0 * math.pi)
    return float(k * np.tan(f32(edge / k)))


def unwarp_hz(w, fs):
    k = 2.0 * float(f32(fs))
    return k * math.atan(w / k) / (2.0 * math.pi)


def spec_edges(band, e):
    """(lower pass, upper pass, lower stop, upper stop) in Hz."""
    if band == 0:
        return e[0], e[0], e[1], e[1]
    if band == 1:
        return e[1], e[1], e[0], e[0]
    if band == 2:
        return e[1], e[2], e[0], e[3]
    return e[0], e[3], e[1], e[2]


def moved(band, lp, up, ls, us):
    """Makes a band geometrically symmetric by moving the edge of the wider transition."""
    if band == 2:
        if ls > lp * up / us:
            us = lp * up / ls
        else:
            ls = lp * up / us
    elif band == 3:
        if lp > ls * us / up:
            up = ls * us / lp
        else:
            lp = ls * us / up
    return lp, up, ls, us


def ratio(band, lp, up, ls, us):
    if band == 0:
        return ls / lp
    if band == 1:
        return lp / ls
    if band == 2:
        return (us - ls) / (up - lp)
    return (up - lp) / (us - ls)


def estimate(fam, band, fs, e, ap, ast):
    lp, up, ls, us = (warp(f, fs) for f in spec_edges(band, e))
    lp, up, ls, us = moved(band, lp, up, ls, us)
    d = ratio(band, lp, up, ls, us)
    h = (10 ** (-0.1 * ast) - 1) / (10 ** (-0.1 * ap) - 1)
    if fam == 0:
        m = math.log10(h) / (2 * math.log10(d))
    elif fam in (1, 2):
        m = math.acosh(math.sqrt(h)) / math.acosh(d)
    else:
        k, k1 = 1 / d, 1 / math.sqrt(h)
        m = (special.ellipk(k * k) * special.ellipk(1 - k1 * k1)) / (special.ellipk(1 - k * k) * special.ellipk(k1 * k1))
    return m, (lp, up, ls, us)


def scipy_order(fam, band, fs, e, ap, ast):
    lp, up, ls, us = spec_edges(band, e)
    wp = lp if band < 2 else [lp, up]
    ws = ls if band < 2 else [ls, us]
    fn = [signal.buttord, signal.cheb1ord, signal.cheb2ord, signal.ellipord][fam]
    return fn(wp, ws, -ap, -ast, fs=fs)[0]


def reference_sos(fam, band, fs, n, ap, ast, w):
    """scipy's design of prototype order n with the normalisation of the engine."""
    lp, up, ls, us = w
    btype = ["lowpass", "highpass", "bandpass", "bandstop"][band]
    if fam == 0:
        eps = math.sqrt(10 ** (-0.1 * ap) - 1)
        wc = eps ** (-1.0 / n)  # the prototype's 3 dB point
        if band == 0:
            edges = lp * wc
        elif band == 1:
            edges = lp / wc
        else:
            w0, b = math.sqrt(lp * up), up - lp
            q = wc * b if band == 2 else b / wc
            hi = (q + math.sqrt(q * q + 4 * w0 * w0)) / 2
            edges = [w0 * w0 / hi, hi]
        wn = unwarp_hz(edges, fs) if band < 2 else [unwarp_hz(x, fs) for x in edges]
        return signal.butter(n, wn, btype, output="sos", fs=fs)
    if fam == 1:
        wn = unwarp_hz(lp, fs) if band < 2 else [unwarp_hz(lp, fs), unwarp_hz(up, fs)]
        return signal.cheby1(n, -ap, wn, btype, output="sos", fs=fs)
    wn = unwarp_hz(ls, fs) if band < 2 else [unwarp_hz(ls, fs), unwarp_hz(us, fs)]
    return signal.cheby2(n, -ast, wn, btype, output="sos", fs=fs)


def grid(band, fs, e):
    pts = set(np.linspace(0, fs / 2, 41)[:-1].tolist())
    pts.update(x for x in spec_edges(band, e))
    return sorted(pts)


def write_designs():
    with open(os.path.join(OUT, "designs.csv"), "w", newline="") as fd, \
            open(os.path.join(OUT, "response.csv"), "w", newline="") as fr:
        d = csv.writer(fd, lineterminator="\n")
        r = csv.writer(fr, lineterminator="\n")
        d.writerow(["id", "family", "band", "fs", "e1", "e2", "e3", "e4", "apass", "astop", "order",
                    "scipy_order"])
        r.writerow(["id", "freq", "db"])
        for i, (fam, band, fs, e1, e2, e3, e4, ap, ast) in enumerate(CASES):
            e = (e1, e2, e3, e4)
            m, w = estimate(fam, band, fs, e, ap, ast)
            if abs(m - round(m)) < 1e-3:
                raise SystemExit("case %d: estimate %.6f too close to an integer" % (i, m))
            n = math.ceil(m)
            accepted = 1 <= m <= 200
            so = scipy_order(fam, band, fs, e, ap, ast)
            d.writerow([i, fam, band, repr(float(fs)), e1, e2, e3, e4, ap, ast,
                        (n if band < 2 else 2 * n) if accepted else -7, so if band < 2 else 2 * so])
            if fam == 3 or not accepted:
                continue
            sos = reference_sos(fam, band, fs, n, ap, ast, w)
            freqs = grid(band, fs, e)
            _, hv = signal.sosfreqz(sos, worN=freqs, fs=fs)
            for f, hval in zip(freqs, hv):
                db = 20 * math.log10(max(abs(hval), 2.0 ** -52))
                r.writerow([i, repr(float(f)), "%.6f" % db])


def write_sosfilt():
    rng = np.random.default_rng(17)
    n = 2000
    designs = [
        ("butter4_lp", signal.butter(4, 0.2, output="sos")),
        ("cheby1_3_bp", signal.cheby1(3, 1, [0.2, 0.4], "bandpass", output="sos")),
        ("ellip5_hp", signal.ellip(5, 0.5, 60, 0.3, "highpass", output="sos")),
        ("cheby2_8_bs", signal.cheby2(8, 70, [0.1, 0.3], "bandstop", output="sos")),
    ]
    # sections whose leading denominator coefficient is not 1
    scaled = signal.butter(4, 0.2, output="sos").copy()
    scaled[0] *= 2.0
    scaled[1, :3] *= 0.5
    scaled[1, 3:] *= 4.0
    designs.append(("scaled_a0", scaled))
    samples = np.clip(np.round(rng.standard_normal(n) * 6000), -32767, 32767).astype(np.int16)
    samples[600:900] = 20000  # a step, to ring the filters
    amp, offset = 1.5, 0.25
    x = (samples.astype(np.float64) / 32767.0 * (amp * 0.5) + offset).astype(np.float32)
    with open(os.path.join(OUT, "sosfilt_sections.csv"), "w", newline="") as fs_, \
            open(os.path.join(OUT, "sosfilt_signal.csv"), "w", newline="") as fg:
        s = csv.writer(fs_, lineterminator="\n")
        g = csv.writer(fg, lineterminator="\n")
        s.writerow(["case", "b0", "b1", "b2", "a0", "a1", "a2"])
        g.writerow(["case", "sample", "x", "y"])
        for name, sos in designs:
            for row in sos:
                s.writerow([name] + [repr(float(v)) for v in row])
            # sosfilt takes a0 = 1 only: the scaled case runs as its normalised equal
            y = signal.sosfilt(sos / sos[:, 3:4], x.astype(np.float64))
            for k in range(n):
                g.writerow([name, int(samples[k]), repr(float(x[k])), repr(float(y[k]))])
    with open(os.path.join(OUT, "sosfilt_window.csv"), "w", newline="") as fw:
        csv.writer(fw, lineterminator="\n").writerows([["amp", "offset"], [amp, offset]])


def write_elliptic_functions():
    with open(os.path.join(OUT, "elliptic_functions.csv"), "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["kind", "a", "k", "v1", "v2", "v3"])
        # the arguments as the engine gets them, rounded to float32
        for k in (float(f32(v)) for v in (0.0, 0.1, 0.5, 0.9, 0.99, 0.9999)):
            w.writerow(["K", 0, k, repr(float(special.ellipk(k * k))), 0, 0])
        for u, k in ((0.0, 0.5), (0.7, 0.0), (0.7, 0.5), (1.2, 0.9), (2.5, 0.99), (0.3, 0.9999)):
            u, k = float(f32(u)), float(f32(k))
            sn, cn, dn, _ = special.ellipj(u, k * k)
            w.writerow(["jacobi", u, k, repr(float(sn)), repr(float(cn)), repr(float(dn))])
        for x, k in ((1.0, 0.5), (0.2, 0.1), (5.0, 0.3), (100.0, 0.01), (3.0, 0.9999), (1e-3, 0.7)):
            x, k = float(f32(x)), float(f32(k))
            w.writerow(["inverse_sc", x, k, repr(float(special.ellipkinc(math.atan(x), 1 - k * k))), 0, 0])


def main():
    os.makedirs(OUT, exist_ok=True)
    write_designs()
    write_sosfilt()
    write_elliptic_functions()


if __name__ == "__main__":
    main()
