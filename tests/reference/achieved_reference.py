#!/usr/bin/env python3
"""What agents on duty achieve, in 50-digit decimal arithmetic: the reference
values of tests/data/achieved-service-level.json. Run from the project root
to remake it:
    python3 tests/reference/achieved_reference.py > tests/data/achieved-service-level.json
Each interval: calls in `minutes`, handle time talk + acw seconds, `on_duty`
agents of whom the whole part of (100 - shrinkage) % are on the phones. By
Erlang C: their service level (answered within `answer` s) and ASA; none of
them answered in time (0, no ASA) when they cannot carry the traffic. A day
with a `patience` (seconds) by Erlang A instead, with the share abandoned;
there no one on the phones answers none and loses every call. Each day: the
call-weighted service level, ASA and (Erlang A) abandonment of its
intervals."""
import json
import os
import sys
from decimal import Decimal, getcontext, ROUND_FLOOR

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import erlang_c_reference  # noqa: E402  (its Erlang C, in 50 digits)
import erlang_a_reference  # noqa: E402  (its Erlang A, at 60 digits; half-hours)

getcontext().prec = 50

DAYS = {  # answer seconds, then intervals: calls, talk, acw, minutes, on duty, shrinkage %
    "2027-03-01": (20, [
        (44.4, 238, 0, 15, 28, "30"),      # 19 on the phones for 11.74 Erlangs
        (58.3, 239, 0, 15, 31, "30"),
        (120.4, 245, 0, 15, 30, "30"),     # 21 for 32.8 Erlangs: cannot carry it
        (3, 180, 0, 30, 1, "0"),           # one agent, 0.3 Erlangs
        (7100, 150, 30, 30, 760, "12.5"),  # 665 for 710 Erlangs: cannot carry it
    ]),
    "2027-03-02": (30, [
        (12000, 270, 30, 30, 2400, "15"),  # 2040 for 2000 Erlangs
        (0.5, 600, 0, 30, 3, "33.3"),      # 2 for a sixth of an Erlang
        (96000, 300, 0, 60, 9000, "10"),   # 8100 for 8000 Erlangs
        (250, 180, 20, 15, 81, "30.5"),    # 56 for 55.6 Erlangs
    ]),
}
# Erlang A days: answer seconds, patience seconds, then half-hours as above.
PATIENT_DAYS = {
    "2027-03-03": (20, 120, [
        (100, 240, 0, 30, 20, "30"),       # 14 on the phones for 13.3 Erlangs
        (200, 150, 30, 30, 25, "20"),      # 20 for 20 Erlangs
        (50, 200, 0, 30, 4, "25"),         # 3 for 5.6 Erlangs: callers give up
        (30, 300, 0, 30, 1, "30"),         # no one on the phones
    ]),
    "2027-03-04": (15, 60, [
        (100, 240, 0, 30, 20, "30"),
        (900, 12, 0, 30, 6, "0"),          # short calls, patient callers
    ]),
}


def measures(a, n, h, t):
    _, sl, asa = erlang_c_reference.measures(a, n, h, t)
    return sl, asa


def interval(answer, calls, talk, acw, minutes, on_duty, shrinkage):
    h = Decimal(str(talk)) + Decimal(str(acw))
    a = Decimal(str(calls)) * h / (minutes * 60)
    n = int((on_duty * (100 - Decimal(shrinkage)) / 100).to_integral_value(ROUND_FLOOR))
    if n > a:
        sl, asa = measures(a, n, h, Decimal(answer))
    else:
        sl, asa = Decimal(0), None
    return {"calls": calls, "talk": talk, "acw": acw, "minutes": minutes, "on_duty": on_duty,
            "shrinkage": shrinkage, "productive": n, "service_level": float(sl * 100),
            "asa": None if asa is None else float(asa)}, Decimal(str(calls)), sl, asa


def patient_interval(answer, patience, calls, talk, acw, minutes, on_duty, shrinkage):
    assert minutes == 30
    n = int((on_duty * (100 - Decimal(shrinkage)) / 100).to_integral_value(ROUND_FLOOR))
    if n > 0:
        _, abandon, sl, asa, _ = erlang_a_reference.measures(calls, talk + acw, patience, n, answer)
        sl, asa, abandon = Decimal(str(sl)), Decimal(str(asa)), Decimal(str(abandon))
    else:
        sl, asa, abandon = Decimal(0), None, Decimal(1)
    return {"calls": calls, "talk": talk, "acw": acw, "minutes": minutes, "on_duty": on_duty,
            "shrinkage": shrinkage, "productive": n, "service_level": float(sl * 100),
            "asa": None if asa is None else float(asa), "abandon": float(abandon * 100)}, \
        Decimal(str(calls)), sl, asa, abandon


days = []
for date, (answer, patience, rows) in PATIENT_DAYS.items():
    out, calls, served, waited, lost, known = [], Decimal(0), Decimal(0), Decimal(0), Decimal(0), True
    for row in rows:
        case, c, sl, asa, abandon = patient_interval(answer, patience, *row)
        out.append(case)
        calls += c
        served += c * sl
        lost += c * abandon
        if asa is None:
            known = False
        else:
            waited += c * asa
    days.append({"date": date, "answer": answer, "patience": patience, "intervals": out,
                 "service_level": float(served / calls * 100),
                 "asa": float(waited / calls) if known else None,
                 "abandon": float(lost / calls * 100)})
for date, (answer, rows) in DAYS.items():
    out, calls, served, waited, known = [], Decimal(0), Decimal(0), Decimal(0), True
    for row in rows:
        case, c, sl, asa = interval(answer, *row)
        out.append(case)
        calls += c
        served += c * sl
        if asa is None:
            known = False
        else:
            waited += c * asa
    days.append({"date": date, "answer": answer, "intervals": out,
                 "service_level": float(served / calls * 100),
                 "asa": float(waited / calls) if known else None})
days.sort(key=lambda d: d["date"])
print(json.dumps(days, indent=1))
