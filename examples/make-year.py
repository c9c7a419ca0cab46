#!/usr/bin/env python3
"""Writes a year of half-hour forecasts (2027) to standard output, as a
workforce tool exports them: a date and a time column, fractional volumes
and handle times. Busier on weekdays, in winter and around 10:00 and 15:00;
the same file every run.
    python3 examples/make-year.py > year.csv"""
import datetime
import math
import random

random.seed(2027)
print("Date,Interval,Offered,AHT")
day = datetime.date(2027, 1, 1)
while day.year == 2027:
    weekday = day.weekday()
    season = 1.0 + 0.25 * math.cos(2 * math.pi * (day.timetuple().tm_yday - 15) / 365)
    week = (1.0, 0.95, 0.9, 0.9, 0.85, 0.45, 0.3)[weekday]
    for slot in range(14, 42):  # 07:00 to 20:30
        hour = slot / 2
        shape = math.exp(-((hour - 10.25) / 2.2) ** 2) + 0.8 * math.exp(-((hour - 15) / 2.5) ** 2)
        offered = 260 * shape * season * week * random.uniform(0.92, 1.08)
        aht = 265 + 20 * math.sin(slot / 5) + random.uniform(-8, 8)
        print(f"{day.isoformat()},{slot // 2:02d}:{30 * (slot % 2):02d},{offered:.1f},{aht:.1f}")
    day += datetime.timedelta(days=1)
