#!/usr/bin/env python3
"""Expected interpolation-filter coefficients for tests/device/drv/test_drv_filter.cpp.

A 20-tap windowed-sinc low-pass: tap(n) = sin(pi fc (n - 9.5)) / (pi (n - 9.5)) with
fc = hz / 150 MHz + 0.042, Hamming window w(n) = 0.54 - 0.46 cos(2 pi n / 19), and the
coefficient trunc(tap(n) w(n) 32768) for n = 0 to 9. Computed in double precision here;
the script refuses a value so close to a whole number that the driver's extended
precision could truncate it differently.
"""
import math

CLOCK = 150e6


def coef(hz, n):
    fc = hz / CLOCK + 0.042
    x = n - 9.5
    v = math.sin(math.pi * fc * x) / (math.pi * x) * (0.54 - 0.46 * math.cos(2 * math.pi * n / 19)) * 32768
    if abs(v - round(v)) < 1e-6:
        raise SystemExit(f"{hz} Hz tap {n}: {v!r} is too close to a whole number")
    return math.trunc(v)


for hz in (0.0, 10e6, 40e6, 60e6):
    print(f"{{{hz:.0f}, {{{', '.join(str(coef(hz, n)) for n in range(10))}}}}},")
