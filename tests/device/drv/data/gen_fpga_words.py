#!/usr/bin/env python3
"""Expected FPGA words for test_drv_fpga_dds.cpp, computed with exact fractions and the
80-bit extended type's rounding (64-bit significand, round to nearest even) where the
driver rounds: each long-double operation of the driver is rounded here the same way.

Prints the tables that the test holds; run it and compare."""
from fractions import Fraction
import math
from ld80 import ld


def trunc(x):
    return math.trunc(x)


def carrier_word(hz):
    micro = trunc(ld(Fraction(hz) * 1000000))
    factor = ld(Fraction(2 ** 48) / ld(Fraction(125000000000000)))
    return trunc(ld(micro * factor))


def mod_word(hz):
    u = ld(ld(Fraction(hz) * 1000) * 1000)
    factor = ld(Fraction(2 ** 47) / Fraction(150000000000000))
    return trunc(ld(u * factor))


def recip_parts(micro_hz, word):
    scale = 2 ** 72 if micro_hz > 1000000 else 2 ** 54
    d = (2 * word) % 2 ** 64
    if d == 0:
        return [0] * 5
    q = ld(Fraction(scale) / d)
    parts = [0] * 5
    for i in (4, 3, 2, 1):
        unit = 2 ** (16 * i)
        p = trunc(ld(q / unit))
        q = ld(q - p * unit)
        parts[i] = p
    parts[0] = trunc(q)
    return parts


def split(word, n=3):
    return [(word >> (16 * i)) & 0xFFFF for i in range(n)]


for hz in (1000, 25000000):
    w = carrier_word(hz)
    print(f"carrier {hz} Hz: word {w}, registers {split(w)}")
for hz in (1, 1000, 12345.678):
    print(f"modulation {hz} Hz: word {mod_word(hz)}")
for u, w in ((1000000, 2 ** 20), (1000001, 2 ** 20), (1000001, 1), (0, 1), (1000000, 3), (1000001, 3),
             (2000000000, 2251799813), (1000000, 2 ** 63 + 1)):
    print(f"reciprocal u={u} word={w}: {recip_parts(u, w)}")
