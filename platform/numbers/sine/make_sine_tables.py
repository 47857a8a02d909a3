#!/usr/bin/env python3
"""Writes sine_tables.h next to this script (or to the path given): the constants
of the correctly rounded sine, all from one value of pi computed here with whole
numbers (Machin's formula), so that every digit is exact.

- 512/pi and pi/512 in three parts, for reducing moderate angles to the nearest
  multiple of pi/512;
- sin and cos of j pi/512 for j = 0..511 (a half turn): the sine as a pair of
  doubles (value and rest), the cosine as three (its first 27 bits, the rest of
  its nearest double, and the rest beyond); the second quarter mirrors the
  first (sin(pi - t) = sin t, cos(pi - t) = -cos t), bit for bit;
- the bits of 2/pi far enough for the reduction of the largest double, and the
  fraction of pi/2, for the slow many-word evaluation.

Standard library only."""
import argparse
from fractions import Fraction
from pathlib import Path

BITS = 1800          # working precision of the whole numbers, in bits
STEPS = 512          # table points per half turn
TWO_OVER_PI_WORDS = 44
LIMBS = 10           # words of the many-word fractions


def arctan_inverse(n):
    """atan(1/n) * 2**BITS, for a whole n > 1."""
    total, power, k, sign = 0, (1 << BITS) // n, 1, 1
    while power:
        total += sign * (power // k)
        power //= n * n
        k += 2
        sign = -sign
    return total


PI = 16 * arctan_inverse(5) - 4 * arctan_inverse(239)  # pi * 2**BITS
ONE = 1 << BITS


def exact(scaled):
    return Fraction(scaled, ONE)


def rounded_to_bits(value, bits):
    """value rounded to the nearest number with `bits` significant bits."""
    scale = 0
    while abs(value) >= 2 ** bits:
        value /= 2
        scale += 1
    while abs(value) < 2 ** (bits - 1):
        value *= 2
        scale -= 1
    return Fraction(round(value)) * Fraction(2) ** scale


def sin_cos_series(x):
    """sin(x) and cos(x) * 2**BITS for x * 2**BITS given."""
    sine = cosine = 0
    term, k = ONE, 0  # x**k / k!
    while term:
        if k % 4 == 0:
            cosine += term
        elif k % 4 == 1:
            sine += term
        elif k % 4 == 2:
            cosine -= term
        else:
            sine -= term
        k += 1
        term = term * x // ONE // k
    return sine, cosine


def power_above(value):
    """The smallest power of two above |value|."""
    value, power = abs(value), 0
    while value >= Fraction(2) ** power:
        power += 1
    while value < Fraction(2) ** (power - 1):
        power -= 1
    return power


def hex_double(value):
    return float(value).hex()


def pair(scaled):
    """The value as the nearest double and the nearest double to the rest."""
    value = exact(scaled)
    high = float(value)
    return high.hex(), float(value - Fraction(high)).hex()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("output", nargs="?", type=Path, default=Path(__file__).with_name("sine_tables.h"),
                        help="the header to write (default: sine_tables.h beside this script)")
    out = parser.parse_args().output
    half_pi = exact(PI) / 2
    unit = exact(PI) / STEPS
    part1 = rounded_to_bits(unit, 29)
    part2 = rounded_to_bits(unit - part1, 29)
    part3 = Fraction(float(unit - part1 - part2))
    rest = unit - part1 - part2 - part3
    two_over_pi = Fraction(2) / exact(PI)

    lines = [
        "#pragma once",
        "",
        "// Written by platform/numbers/sine/make_sine_tables.py; change that script and run it",
        "// instead of editing this file.",
        "// clang-format off",
        "",
        "#include <cstdint>",
        "",
        "namespace korvel::sine_tables {",
        "",
        f"inline constexpr int kUnitsPerHalfTurn = {STEPS};",
        f"inline constexpr double kUnitsPerRadian = {hex_double(STEPS / exact(PI))};",
        f"// pi/{STEPS} = kUnit1 + kUnit2 + kUnit3 + (less than 2^{power_above(rest)}): the first two",
        "// have 29 significant bits, so that k times either is exact for k below 2^24.",
        f"inline constexpr double kUnit1 = {hex_double(part1)};",
        f"inline constexpr double kUnit2 = {hex_double(part2)};",
        f"inline constexpr double kUnit3 = {hex_double(part3)};",
        "",
        "struct SinCos {",
        f"  double sinHigh, sinLow;  // sin(j pi/{STEPS}) = sinHigh + sinLow to 2^-106",
        "  double cosTop, cosRest, cosLow;  // cos(j pi/512) likewise, cosTop having 27 bits",
        "};",
        f"inline constexpr SinCos kSinCos[{STEPS}] = {{",
    ]
    quarter = []
    for j in range(STEPS // 2 + 1):
        sine, cosine = sin_cos_series(j * PI // STEPS)
        sh, sl = pair(sine)
        cosine_high = float(exact(cosine))
        top = float(rounded_to_bits(Fraction(cosine_high), 27)) if cosine_high else 0.0
        cl = float(exact(cosine) - Fraction(cosine_high))
        quarter.append((sh, sl, (top, cosine_high - top, cl)))
    for j in range(STEPS):
        sh, sl, cos_parts = quarter[min(j, STEPS - j)]
        sign = 1.0 if j <= STEPS // 2 else -1.0
        cos_text = ", ".join((sign * part).hex() for part in cos_parts)
        lines.append(f"    {{{sh}, {sl}, {cos_text}}},  // {j}")
    lines.append("};")
    lines.append("")

    bits = two_over_pi * 2 ** (32 * TWO_OVER_PI_WORDS)
    whole = bits.numerator // bits.denominator
    words = [(whole >> (32 * (TWO_OVER_PI_WORDS - 1 - w))) & 0xFFFFFFFF for w in range(TWO_OVER_PI_WORDS)]
    lines.append("// The binary digits of 2/pi after the point, 32 to a word, first word first.")
    lines.append(f"inline constexpr int kTwoOverPiWords = {TWO_OVER_PI_WORDS};")
    lines.append(f"inline constexpr std::uint32_t kTwoOverPiBits[kTwoOverPiWords] = {{")
    for w in range(0, TWO_OVER_PI_WORDS, 6):
        lines.append("    " + " ".join(f"0x{x:08x}," for x in words[w:w + 6]))
    lines.append("};")
    lines.append("")

    fraction = (half_pi - 1) * 2 ** (32 * LIMBS)
    whole = round(fraction)
    limbs = [(whole >> (32 * k)) & 0xFFFFFFFF for k in range(LIMBS)]
    lines.append(f"// pi/2 - 1 to 2^-{32 * LIMBS + 1}, {LIMBS} words of 32 bits, the lowest first.")
    lines.append(f"inline constexpr int kFractionWords = {LIMBS};")
    lines.append("inline constexpr std::uint32_t kHalfPiFraction[kFractionWords] = {")
    for k in range(0, LIMBS, 5):
        lines.append("    " + " ".join(f"0x{x:08x}," for x in limbs[k:k + 5]))
    lines.append("};")
    lines.append("")
    lines.append("}  // namespace korvel::sine_tables")
    out.write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
