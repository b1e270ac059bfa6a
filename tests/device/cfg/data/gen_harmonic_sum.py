#!/usr/bin/env python3
"""Expected results for test_cfg_harmonic_sum.cpp: one harmonic added to a running sum of
int16 samples within full scale, every operation rounded to the 80-bit extended type as
the library computes it:

  r     = A_b / A_a
  v_i   = trunc(a_i + b_i x r)                  (the peak: largest |v_i|, first kept)
  k     = 1 when |peak| <= 32766, else 32767 / |peak|
  a'_i  = trunc((a_i + b_i x r) x k)            (int16)
  A_a'  = A_a / k

Prints the table rows the test holds."""
import os
import sys
from fractions import Fraction
import math

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "drv", "data"))
from ld80 import ld  # noqa: E402

A = [0, 1000, 20000, 32767, -32767, -15000, 12345, -1]
B = [32767, -32767, 20000, 16384, -16384, 30000, -7, 5]
CASES = [("4.0", "2.00475"), ("4.0", "4.0"), ("4.0", "0.1"), ("1.5", "3.0")]


def trunc(x):
    return int(math.trunc(x))


def add(a, b, a_ampl, b_ampl):
    r = ld(b_ampl / a_ampl)
    sums = [ld(ld(bi * r) + ai) for ai, bi in zip(a, b)]
    peak = 0
    for s in sums:
        v = trunc(s)
        if abs(v) > abs(peak):
            peak = v
    k = Fraction(1) if abs(peak) <= 32766 else ld(Fraction(32767, abs(peak)))
    out = [trunc(ld(s * k)) for s in sums]
    return peak, k, out, ld(a_ampl / k)


for sa, sb in CASES:
    a_ampl, b_ampl = ld(Fraction(sa)), ld(Fraction(sb))
    peak, k, out, new_ampl = add(A, B, a_ampl, b_ampl)
    # k = 32767 / |peak| and A_a' = A_a / k are single roundings the test repeats.
    print("{%sL, %sL, %d, {%s}}," % (sa, sb, peak, ", ".join(str(v) for v in out)))
