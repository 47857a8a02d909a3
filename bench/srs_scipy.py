#!/usr/bin/python3
"""The field's usual route to a shock response spectrum, the baseline of bench_srs.

    srs_scipy.py INPUT OUTPUT.csv [--rate R] [--q Q] [--fraction N] [--from HZ] [--to HZ]

Loads a two-column record (time, acceleration) whole with numpy.loadtxt, then
for each natural frequency of the 1/N-octave series 1000 * 2^(k/N) Hz runs
scipy.signal.lfilter once over the record with the ramp-invariant coefficients
of the base-excited oscillator's absolute acceleration (Smallwood's recursive
formula), and takes the largest |response| within the record: the maximax as
the field's libraries print it. The sample rate is --rate, or else the mean
step of the record's times. Writes "frequency_hz,maximax" lines, each number
as Python's repr (the shortest text that reads back as the same double).
"""

import argparse
import math

import numpy
import scipy.signal


def smallwood_coefficients(frequency, step, q):
    zeta = 1.0 / (2.0 * q)
    omega = 2.0 * math.pi * frequency
    a = omega * step * zeta
    b = omega * step * math.sqrt(1.0 - zeta * zeta)
    e = math.exp(-a)
    c = e * math.cos(b)
    s = e * math.sin(b) / b
    numerator = [1.0 - s, 2.0 * (s - c), e * e - s]
    denominator = [1.0, -2.0 * c, e * e]
    return numerator, denominator


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("input")
    parser.add_argument("output")
    parser.add_argument("--rate", type=float)
    parser.add_argument("--q", type=float, default=10.0)
    parser.add_argument("--fraction", type=int, default=12)
    parser.add_argument("--from", dest="low", type=float, default=10.0)
    parser.add_argument("--to", dest="high", type=float, default=10000.0)
    args = parser.parse_args()

    record = numpy.loadtxt(args.input, comments="#")
    times, acceleration = record[:, 0], record[:, 1]
    rate = args.rate or (len(times) - 1) / (times[-1] - times[0])
    step = 1.0 / rate

    n = args.fraction
    first = round(n * math.log2(args.low / 1000.0))
    last = round(n * math.log2(args.high / 1000.0))
    lines = ["frequency_hz,maximax"]
    for k in range(first, last + 1):
        frequency = 1000.0 * 2.0 ** (k / n)
        numerator, denominator = smallwood_coefficients(frequency, step, args.q)
        response = scipy.signal.lfilter(numerator, denominator, acceleration)
        lines.append(f"{frequency!r},{float(numpy.max(numpy.abs(response)))!r}")
    with open(args.output, "w") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
