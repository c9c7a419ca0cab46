#!/usr/bin/env python3
"""Erlang A (M/M/N+M) in 50-digit arithmetic: the reference values of
tests/data/erlang-a-wide.json. Run from the project root to remake it:
    python3 tests/reference/erlang_a_reference.py > tests/data/erlang-a-wide.json
With c = N patience / handle and y = traffic patience / handle, the waiting
callers' mass is B c I(c), where B is Erlang B and
    I(k) = int_0^inf e^(-k t + y (1 - e^-t)) dt = e^y y^-k gamma(k, y);
those who are answered weigh B c I(c + 1), those answered within T the part
of that integral below t = T / patience, and their wait is -I'(c + 1)
(differentiated numerically at 60 digits). The integrals are taken by
tanh-sinh quadrature at 60 digits, split about the integrand's peak; where
the lower incomplete gamma function converges, the script checks them
against it to 30 digits. Each case: calls in a half-hour,
handle seconds, patience seconds, agents, the objective in seconds; the
expected P(wait), abandonment, service level, ASA and occupancy as text of
40 significant digits."""
import json
import mpmath as mp

mp.mp.dps = 60

CASES = [  # calls, handle, patience, agents, seconds
    (100, 240, 120, 14, 20), (200, 180, 60, 20, 20), (50, 200, 90, 3, 15),
    (6000, 300, 200, 1000, 20),
    # patient callers of short calls: queues of many thousand states
    (3000, 10, 3000, 16, 20), (3000, 10, 3000, 17, 20), (3000, 10, 3000, 18, 20),
    (1242000, 1, 28000, 690, 20), (1242000, 1, 28000, 699, 20),
    (1242000, 1, 28000, 710, 20), (1242000, 1, 28000, 720, 20),
    (100, 240, 32767, 15, 20), (30000, 1800, 32767, 20, 20),
    # whoever waits hangs up almost at once
    (100, 30000, 1, 5, 20), (100, 239.4, 120, 1, 20), (100, 240, 120, 14, 0),
    # service levels far below 1 %, which a sum of shares cannot resolve
    (900, 900, 32767, 437, 20), (20000, 1, 32767, 11, 20), (900, 12, 6000, 5, 20),
]


def measures(calls, handle, patience, agents, seconds):
    h, p, n = mp.mpf(handle), mp.mpf(patience), agents
    a = mp.mpf(calls) / 1800 * h
    b = mp.mpf(1)
    for k in range(1, n + 1):
        b = a * b / (k + a * b)
    c, y = n * p / h, a * p / h

    def integral(k, upper=mp.inf):  # int_0^upper e^(-k t + y (1 - e^-t)) dt
        peak = mp.log(y / k) if y > k else mp.mpf(0)
        bend = k if y > k else y
        scale = 1 / mp.sqrt(bend) if y >= k else min(1 / mp.sqrt(bend), 1 / (k - y))
        points = sorted({max(mp.mpf(0), peak + j * scale)
                         for j in (-300, -80, -20, -5, 0, 5, 20, 80, 300)})
        points = [x for x in points if x < upper] + [upper]
        top = -k * peak + y * (1 - mp.exp(-peak))
        value = mp.quad(lambda t: mp.exp(-k * t + y * (1 - mp.exp(-t)) - top), points)
        if upper == mp.inf and y < 5000:
            closed = mp.exp(y) * y ** -k * mp.gammainc(k, 0, y)
            assert abs(value * mp.exp(top) / closed - 1) < mp.mpf(10) ** -30, (k, y)
        return value * mp.exp(top)

    free = 1 - b
    waiting = b * c * integral(c)
    answered = b * c * integral(c + 1)
    fast = b * c * integral(c + 1, mp.mpf(seconds) / p) if seconds > 0 else 0
    wait = b * c * -mp.diff(integral, c + 1) * p
    total = free + waiting
    return [waiting / total, (waiting - answered) / total, (free + fast) / total,
            wait / (free + answered), a * (free + answered) / total / n]


def main():
    out = []
    for calls, handle, patience, agents, seconds in CASES:
        m = measures(calls, handle, patience, agents, seconds)
        out.append({"calls": calls, "handle": handle, "patience": patience, "agents": agents,
                    "seconds": seconds, "expected": [mp.nstr(v, 40) for v in m]})
    print("[\n" + ",\n".join("  " + json.dumps(c) for c in out) + "\n]")


if __name__ == "__main__":
    main()
