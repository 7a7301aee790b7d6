#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a synthetic Open-Meteo forecast reply of the shape the app requests: one past day and
seven forecast days (192 hourly entries), every variable the app asks for, a few nulls the way
the real service sends them past a model's horizon. Deterministic."""
import json, math, sys

days = ["2026-07-%02d" % d for d in range(13, 21)]
hours = ["%sT%02d:00" % (d, h) for d in days for h in range(24)]
n = len(hours)

def wave(i, base, amp, phase=0.0):
    return round(base + amp * math.sin((i % 24 - 9 + phase) / 24 * 2 * math.pi), 1)

hourly = {
    "time": hours,
    "temperature_2m": [wave(i, 78, 10) for i in range(n)],
    "apparent_temperature": [wave(i, 81, 12) for i in range(n)],
    "dew_point_2m": [wave(i, 64, 3) if i < n - 6 else None for i in range(n)],
    "relative_humidity_2m": [int(60 - wave(i, 0, 15)) for i in range(n)],
    "weather_code": [[0, 1, 2, 3, 61, 80, 95][(i // 7) % 7] for i in range(n)],
    "precipitation_probability": [(i * 7) % 100 if i < n - 12 else None for i in range(n)],
    "precipitation": [round(((i * 13) % 9) / 100, 2) for i in range(n)],
    "cloud_cover": [(i * 11) % 101 for i in range(n)],
    "wind_speed_10m": [wave(i, 9, 4) for i in range(n)],
    "wind_gusts_10m": [wave(i, 17, 7) for i in range(n)],
    "is_day": [1 if 6 <= i % 24 <= 20 else 0 for i in range(n)],
    "uv_index": [max(0.0, wave(i, 3, 6)) for i in range(n)],
}
daily = {
    "time": days,
    "weather_code": [3, 61, 80, 95, 2, 1, 0, 3],
    "temperature_2m_max": [88.1, 89.4, 91.0, 86.2, 84.0, 85.5, 87.9, 90.3],
    "temperature_2m_min": [70.2, 71.0, 72.4, 69.9, 67.5, 68.0, 70.1, 72.2],
    "apparent_temperature_max": [92.0, 94.1, 97.3, 90.0, 86.8, 88.0, 91.2, None],
    "apparent_temperature_min": [71.0, 72.3, 74.0, 70.5, 68.1, 68.8, 70.9, None],
    "precipitation_probability_max": [20, 65, 70, 85, 15, 5, 0, 10],
    "precipitation_sum": [0.0, 0.42, 0.31, 1.05, 0.02, 0.0, 0.0, 0.0],
    "rain_sum": [0.0, 0.42, 0.31, 1.05, 0.02, 0.0, 0.0, 0.0],
    "snowfall_sum": [0, 0, 0, 0, 0, 0, 0, 0],
    "precipitation_hours": [0, 5, 4, 9, 1, 0, 0, 0],
    "wind_speed_10m_max": [12.1, 14.3, 18.0, 22.4, 10.0, 8.7, 9.9, 11.0],
    "wind_gusts_10m_max": [21.0, 25.5, 33.1, 41.6, 18.0, 15.2, 17.7, 19.0],
    "uv_index_max": [9.1, 7.2, 6.5, 5.0, 9.8, 10.1, 10.3, None],
    "sunrise": ["%sT05:%02d" % (d, 30 + k) for k, d in enumerate(days)],
    "sunset": ["%sT20:%02d" % (d, 25 - k) for k, d in enumerate(days)],
}
reply = {
    "latitude": 41.878, "longitude": -87.6298, "generationtime_ms": 1.2, "utc_offset_seconds": -18000,
    "timezone": "America/Chicago", "timezone_abbreviation": "GMT-5", "elevation": 181.0,
    "current": {
        "time": "2026-07-14T10:15", "interval": 900, "temperature_2m": 82.4,
        "relative_humidity_2m": 58, "dew_point_2m": 66.1, "apparent_temperature": 86.0, "is_day": 1,
        "precipitation": 0.0, "weather_code": 2, "cloud_cover": 40, "wind_speed_10m": 8.9,
        "wind_direction_10m": 225, "wind_gusts_10m": 17.2,
    },
    "hourly": hourly,
    "daily": daily,
}
json.dump(reply, sys.stdout, separators=(",", ":"))
