"""The 80-bit extended type's rounding for the reference scripts beside it."""
from fractions import Fraction
import math


def ld(x):
    """x rounded to the 80-bit extended type (64 significant bits, ties to even)."""
    x = Fraction(x)
    if x == 0:
        return x
    sign = -1 if x < 0 else 1
    x = abs(x)
    e = math.floor(math.log2(x.numerator) - math.log2(x.denominator))
    while Fraction(2) ** e > x:
        e -= 1
    while Fraction(2) ** (e + 1) <= x:
        e += 1
    scale = Fraction(2) ** (63 - e)
    m = x * scale
    q, r = divmod(m.numerator, m.denominator)
    if 2 * r > m.denominator or (2 * r == m.denominator and q % 2 == 1):
        q += 1
    return sign * Fraction(q) / scale
