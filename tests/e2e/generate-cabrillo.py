#!/usr/bin/env python3
"""Writes a Cabrillo log of the QX-QY DX Contest, the same for the same
arguments, for checking the log checker against the real plug-in.

Usage: generate-cabrillo.py [COUNT] > LOG.cbr   (COUNT QSO lines, default 300)

The log's own call is QY5GEN (group QY with samples/cty-sample.dat). Its
contacts mix what the checker has to tell apart: home calls of both
countries (plain, through an alias prefix, by an exact call, portable),
foreign calls with a country in the sample file and calls whose country is
unknown, lower-case calls; all nine bands; the five Cabrillo modes; districts
of the table, codes it lacks, plain numbers and lower case in the exchange.
A call from a small pool often meets the same band and mode again, and every
eleventh contact repeats a recent one outright, so there are many
duplicates; every 23rd contact is logged with an earlier time (so the
checker must sort) and some share their minute. A few X-QSO lines, lines
outside the bands, lines with a field missing and lines with a transmitter
id are mixed in.
"""

import sys

CALLS = (
    # QX: plain, the alias prefix QW9, an exact call of the QY prefix,
    # portable (a foreign call signing from QX, /P and /M dropped).
    "QX1AA", "QX2BB", "QX3CC", "QX4DD", "QX7EEE", "QX19ZZ", "QW9AB", "QY9OLD",
    "K1ABC/QX3", "QX4GH/P", "QX5MM/M",
    # QY: plain, an exact call of the QX prefix, a designator without digit.
    "QY1AB", "QY2CD", "QY3EF", "QY8XYZ", "QX0ISL", "QX1AB/QY", "qy6low",
    # Foreign with a country: the Zeta Reef prefix QY0Z inside QY, the
    # generic country K, KH9, DL, PA with its three prefixes.
    "QY0ZZ", "QY0ZAB", "K1ABC", "N8BJQ", "W2XYZ", "AA1AA", "N8BJQ/KH9", "NH9A",
    "DL1XYZ", "DA2AB", "PA3ABC", "PB2X", "PD0AA", "PA/QY2CD", "qx1low/dl",
    # Unknown country.
    "XEFTJW", "9A1AA", "JA1XYZ", "ZS6/K1ABC",
)

# A frequency in kHz on each of the nine bands, and two outside them.
FREQUENCIES = (1830, 3520, 7010, 10110, 14025, 18080, 21030, 24900, 28010)
OUTSIDE = (5360, 50100)

MODES = ("CW", "PH", "CW", "RY", "PH", "FM", "DG", "CW")

EXCHANGES = (
    "ALB", "BEX", "CAR", "DUN", "ELM", "FEN", "GAR", "HOL", "IVY", "JUN", "KEL",
    "LOM", "MAR", "NOR", "OAK", "PIN", "RIV", "SAL", "TOR", "VEX",
    "ZZZ", "QRM", "001", "014", "alb", "Bex", "ALBX", "X1CAR",
)


def rst(mode: str) -> str:
    return "59" if mode in ("PH", "FM") else "599"


def time_of(minute: int) -> str:
    """Date and time of the contest's MINUTE-th minute (from 2026-03-14 00:00)."""
    day, minute = divmod(minute, 24 * 60)
    return "2026-03-%02d %02d%02d" % (14 + day, minute // 60, minute % 60)


def contact_line(number: int, minute: int, recent: list) -> str:
    """The QSO line of the NUMBER-th contact (0-based), logged at MINUTE."""
    n = (number * 7919) % 1009
    if number % 11 == 10 and recent:
        freq, mode, call, exchange = recent[-(number % 5) - 1]
        freq += 1  # another frequency on the same band: still a duplicate
    else:
        call = CALLS[n % len(CALLS)]
        freq = FREQUENCIES[(number // 3 + n) % len(FREQUENCIES)] + number % 7
        mode = MODES[(n // 7) % len(MODES)]
        exchange = EXCHANGES[(number * 5 + n // 3) % len(EXCHANGES)]
        recent.append((freq, mode, call, exchange))
        del recent[:-5]
    if number % 41 == 40:
        freq = OUTSIDE[number % len(OUTSIDE)]
    fields = [str(freq), mode, time_of(minute), "QY5GEN", rst(mode), "%03d" % (number + 1),
              call, rst(mode), exchange]
    if number % 17 == 16:
        fields.append(str(number % 2))  # the transmitter id
    tag = "X-QSO:" if number % 53 == 52 else "QSO:"
    if number % 61 == 60:
        del fields[7]  # the received RST missing: one field short
    return tag + " " + " ".join(fields)


def log_lines(count: int):
    yield "START-OF-LOG: 3.0"
    yield "CONTEST: QX-QY-DX"
    yield "CALLSIGN: QY5GEN"
    yield "CATEGORY-OPERATOR: SINGLE-OP"
    yield "CLAIMED-SCORE:"
    yield "CREATED-BY: generate-cabrillo.py"
    minute = 0
    recent = []
    for number in range(count):
        minute += number % 3  # some contacts share their minute
        logged = minute - 90 if number % 23 == 22 else minute
        yield contact_line(number, max(logged, 0), recent)
    yield "END-OF-LOG:"


def main() -> int:
    try:
        count = int(sys.argv[1]) if len(sys.argv) > 1 else 300
    except ValueError:
        count = -1
    if len(sys.argv) > 2 or count < 0:
        print("usage: generate-cabrillo.py [COUNT]", file=sys.stderr)
        return 2
    sys.stdout.write("".join(line + "\n" for line in log_lines(count)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
