#!/usr/bin/env python3
"""Erlang C in 50-digit decimal arithmetic: the reference values of
tests/data/erlang-c-wide.json. Run from the project root to remake it:
    python3 tests/reference/erlang_c_reference.py > tests/data/erlang-c-wide.json
Each case: calls in an interval of `minutes`, handle time `handle` seconds;
the first agent count whose service level (answered within `answer` s) is at
least `sl` %, and its probability of waiting, service level and ASA."""
import json
from decimal import Decimal, getcontext

getcontext().prec = 50

CASES = [  # calls, handle seconds, interval minutes, answer seconds, sl %
    (120.4, 245, 15, 20, 80), (3, 180, 30, 20, 80), (0.5, 600, 30, 10, 90),
    (100, 210, 30, 20, 80), (7100, 180, 30, 20, 80), (12000, 300, 30, 30, 90),
    (36000, 120, 15, 20, 80), (80000, 450, 30, 20, 80), (96000, 300, 60, 15, 95),
    (40000, 900, 30, 60, 70), (200000, 90, 15, 20, 80), (1000, 3.5, 30, 1, 99),
]


def measures(a, n, h, t):
    b = Decimal(1)
    for k in range(1, n + 1):
        b = a * b / (k + a * b)
    c = n * b / (n - a * (1 - b))
    sl = 1 - c * (-(n - a) * t / h).exp()
    asa = c * h / (n - a)
    return c, sl, asa


def case(calls, handle, minutes, answer, sl):
    a = Decimal(str(calls)) * Decimal(str(handle)) / (minutes * 60)
    h, t, target = Decimal(str(handle)), Decimal(answer), Decimal(sl) / 100
    # Service level rises with agents: find the first count meeting it.
    n = int(a) + 1
    step = max(1, int(a.sqrt()) // 4)
    while measures(a, n + step, h, t)[1] < target:
        n += step
    while measures(a, n, h, t)[1] < target:
        n += 1
    c, level, asa = measures(a, n, h, t)
    return {"calls": calls, "handle": handle, "minutes": minutes, "answer": answer, "sl": sl,
            "erlangs": float(a), "agents": n, "wait": float(c), "service_level": float(level),
            "asa": float(asa)}


if __name__ == "__main__":
    print("[\n" + ",\n".join("  " + json.dumps(case(*c)) for c in CASES) + "\n]")
