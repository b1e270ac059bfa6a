#!/usr/bin/env python3
"""Expected pulse-generator words for test_drv_pulse.cpp: the high-time count split into
whole clocks and fraction word, and each edge's step and scale, for the module's pulse
driver (8 ns clock, 5 ns intrinsic edge, scale factor 1, carrier clock 1.25e14 uHz over
2^48) and the base driver (1 / 150 MHz, 2 ns, factor 0).

Each long-double operation of the driver is rounded here the same way (64-bit
significand, ties to even; the edge radicand to a double first), with exact fractions in
between. Inputs ending in "L" are long-double literals; the others are double values.

Prints the table rows the test holds; run it and compare."""
from decimal import Decimal, getcontext
from fractions import Fraction
import math

from ld80 import ld

getcontext().prec = 80


def dbl(x):
    """x rounded to a double (int / int division rounds correctly)."""
    x = Fraction(x)
    return Fraction(x.numerator / x.denominator) if x != 0 else x


def ld_sqrt(x):
    if x == 0:
        return Fraction(0)
    root = Decimal(x.numerator).sqrt() / Decimal(x.denominator).sqrt()
    return ld(Fraction(root))


def value(text):
    """A test input: "1e-6L" a long-double literal, "8e-9" a double literal."""
    if text == "nan":
        return None
    if text.endswith("L"):
        return ld(Fraction(text[:-1]))
    return Fraction(float(text))


def trunc_u64(x):
    if x is None:
        return 0
    t = math.trunc(x)
    return t if 0 <= t < 2 ** 64 else 0


class Pulse:
    def __init__(self, clock, edge, factor):
        self.clock = Fraction(clock)
        self.edge = Fraction(edge)
        self.factor = factor

    def convert_edge(self, t):
        if t is None:
            return None
        radicand = dbl(ld(ld(t * t) - ld(self.edge * self.edge)))
        if radicand < 0:
            radicand = Fraction(0)
        return ld(ld_sqrt(radicand) / Fraction(0.8))

    def edge_step(self, t):
        c = self.convert_edge(t)
        if c is None:
            return None
        per_clock = ld(c / self.clock)
        if per_clock == 0:
            return None  # 2^32 / 0: infinite, converted to 0
        return ld(Fraction(2 ** 32) / per_clock)

    def high_count(self, width, fall, rise):
        if None in (width, fall, rise):
            return None
        a = ld(width / self.clock)
        b = ld(ld(Fraction(1, 2) * self.convert_edge(rise)) / self.clock)
        c = ld(ld(Fraction(1, 2) * self.convert_edge(fall)) / self.clock)
        return ld(ld(a + b) - c)

    def split(self, fall, count):
        k = trunc_u64(self.edge_step(fall))
        if count is None:
            return 0, 0
        i = Fraction(math.trunc(count))
        f = ld(count - i)
        if f != 0 or count == 1:
            return trunc_u64(ld(i + 1)), trunc_u64(ld(k * ld(1 - f)))
        return trunc_u64(i), 0

    def scale(self, step, hz):
        word = ld(ld(hz * 1000000) * ld(Fraction(2 ** 48) / Fraction(125000000000000))) if hz is not None else None
        if word == 0 or self.factor == 0:
            return 4294967295
        if word is None:
            return 0
        s = ld(Fraction(step * 2 ** 20) / ld(word * self.factor))
        return 4294967295 if s >= 2 ** 32 else trunc_u64(s)

    def words(self, width, fall, rise, hz):
        w, f, r, h = (value(x) for x in (width, fall, rise, hz))
        whole, frac = self.split(f, self.high_count(w, f, r))
        rise_step = trunc_u64(self.edge_step(r))
        fall_step = trunc_u64(self.edge_step(f))
        return whole, frac, rise_step, self.scale(rise_step, h), fall_step, self.scale(fall_step, h)


MODULE = Pulse(8e-9, 5e-9, 1)
BASE = Pulse(6.666666666666667e-9, 2e-9, 0)

# width, fall, rise, hz
MODULE_CASES = [
    ("1e-6L", "20e-9L", "10e-9L", "100000L"),
    ("8e-9", "10e-9L", "10e-9L", "1000000L"),
    ("16e-9", "30e-9L", "30e-9L", "1000000L"),
    ("250e-9L", "5e-9", "5e-9", "1000000L"),
    ("250e-9L", "2e-9L", "1e-9L", "2500000L"),
    ("500e-9L", "12e-9L", "8e-9L", "0L"),
    ("3e-3L", "1e-6L", "2e-6L", "10L"),
    ("nan", "10e-9L", "10e-9L", "1000L"),
    ("-1e-6L", "10e-9L", "10e-9L", "1000L"),
]
BASE_CASES = [
    ("1e-6L", "20e-9L", "10e-9L", "100000L"),
]


def row(width, fall, rise, hz, words):
    def lit(x):
        return "NaN" if x == "nan" else x
    values = ", ".join(f"{v}ull" for v in words)
    return f"        {{{lit(width)}, {lit(fall)}, {lit(rise)}, {lit(hz)}, {{{values}}}}},"


print("module:")
for case in MODULE_CASES:
    print(row(*case, MODULE.words(*case)))
print("base:")
for case in BASE_CASES:
    print(row(*case, BASE.words(*case)))
# split_count of 124.2 with the 20 ns fall step of the module.
step = trunc_u64(MODULE.edge_step(value("20e-9L")))
print("split 124.2:", MODULE.split(value("20e-9L"), value("124.2L")), "step", step)
