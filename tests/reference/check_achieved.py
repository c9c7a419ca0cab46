#!/usr/bin/env python3
"""Recomputes a written plan's achieved service level from its files alone,
in 50-digit arithmetic, and compares it with what the plan says:
    python3 tests/reference/check_achieved.py PLAN.csv SHIFT-PLAN.csv SHIFTS.csv \\
        --shrinkage 30 --answer 20 --minutes 15 [--floor 60 --target 80]
PLAN.csv is corvane-plan's CSV plan (interval, calls, talk, acw, on_duty,
achieved_service_level), SHIFT-PLAN.csv its --shift-plan, SHIFTS.csv the
shift types. The agents on duty are counted from the shift plan's rows;
on the phones the whole part of (100 - shrinkage) %; Erlang C. Prints the
largest difference per interval and per day (percentage points), and
exits 1 when one exceeds 0.01, or a day misses --target, or an interval
--floor."""
import argparse
import csv
import os
import sys
from datetime import datetime, timedelta
from decimal import Decimal, ROUND_FLOOR

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import erlang_c_reference  # noqa: E402


def minutes(text):
    h, m = text.split(":")
    return int(h) * 60 + int(m)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("plan")
    ap.add_argument("shift_plan")
    ap.add_argument("shifts")
    ap.add_argument("--shrinkage", default="0")
    ap.add_argument("--answer", type=int, default=20)
    ap.add_argument("--minutes", type=int, required=True)
    ap.add_argument("--floor", type=float)
    ap.add_argument("--target", type=float)
    a = ap.parse_args()
    types = {r["name"]: r for r in csv.DictReader(open(a.shifts))}
    rows = list(csv.DictReader(open(a.plan)))
    when = [datetime.strptime(r["interval"], "%Y-%m-%d %H:%M") for r in rows]
    first = min(when).replace(hour=0, minute=0)
    days = (max(when) - first).days + 1
    period = days * 1440 if days % 7 == 0 else None  # whole weeks run round
    duty = {}
    for s in csv.DictReader(open(a.shift_plan)):
        t = types[s["shift"]]
        start = (datetime.strptime(s["date"], "%Y-%m-%d") - first).days * 1440 + minutes(s["start"])
        length = minutes(t["length"])
        lunch = None
        if s["lunch"] not in ("", "-"):
            lunch = (minutes(s["lunch"]) - minutes(s["start"])) % 1440
        for k in range(0, length, a.minutes):
            if lunch is not None and lunch <= k < lunch + minutes(t["lunch"]):
                continue
            at = start + k
            if period:
                at %= period
            duty[at] = duty.get(at, 0) + int(s["agents"])
    on_phones = (100 - Decimal(a.shrinkage)) / 100
    worst, day_calls, day_answered, bad = 0.0, {}, {}, []
    for r, w in zip(rows, when):
        calls = Decimal(r["calls"])
        at = (w - first).days * 1440 + w.hour * 60 + w.minute
        on_duty = duty.get(at, 0)
        if r["on_duty"] and int(r["on_duty"]) != on_duty:
            bad.append(f"{r['interval']}: on duty {r['on_duty']}, counted {on_duty}")
        if calls <= 0:
            continue
        h = Decimal(r["talk"]) + Decimal(r["acw"])
        traffic = calls * h / (a.minutes * 60)
        n = int((on_duty * on_phones).to_integral_value(ROUND_FLOOR))
        sl = erlang_c_reference.measures(traffic, n, h, Decimal(a.answer))[1] if n > traffic else Decimal(0)
        written = float(r["achieved_service_level"])
        worst = max(worst, abs(written - float(sl * 100)))
        if a.floor is not None and float(sl * 100) < a.floor:
            bad.append(f"{r['interval']}: {float(sl * 100):.4f} % below the floor")
        day = r["interval"][:10]
        day_calls[day] = day_calls.get(day, 0) + calls
        day_answered[day] = day_answered.get(day, 0) + calls * sl
    print(f"largest difference per interval: {worst:.6f} percentage points")
    for day in sorted(day_calls):
        level = float(day_answered[day] / day_calls[day] * 100)
        print(f"{day}: {level:.4f} %")
        if a.target is not None and level < a.target:
            bad.append(f"{day}: {level:.4f} % below the target")
    if worst > 0.01:
        bad.append("an interval differs by more than 0.01 percentage points")
    for b in bad:
        print(b)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
