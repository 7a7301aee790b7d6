#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the Open-Meteo replies of the demo scenario (resources/demo/openmeteo/): Phoenix, Arizona
on Friday 19 July 2024 at 4:40 PM MST, the second day of a heat wave, with a monsoon thunderstorm
reaching the city a little after 5 PM. Every value is made up to fit that afternoon (and the
recorded alerts, outlooks and briefing beside these files); the replies have the shape and the
variables of the requests the app sends. Deterministic: running it again writes the same bytes.

    tools/testdata/make_demo_scenario.py resources/demo/openmeteo
"""
import calendar, datetime as dt, json, math, os, sys

out = sys.argv[1] if len(sys.argv) > 1 else "resources/demo/openmeteo"
LAT, LON, ELEVATION = 33.45, -112.07, 338.0
ZONE = {"utc_offset_seconds": -25200, "timezone": "America/Phoenix", "timezone_abbreviation": "GMT-7"}
NOW = "2024-07-19T16:30"  # the current quarter hour; the scenario's instant is 16:40 MST

days = ["2024-07-%02d" % d for d in range(18, 26)]  # yesterday, then seven days
# date: code, high, low, feels high, feels low, rain chance, rain (in), rain hours, wind, gusts, uv
DAYS = {
    "2024-07-18": (1, 114.1, 91.0, 110.2, 88.1, 5, 0.0, 0, 14.2, 26.0, 10.6),
    "2024-07-19": (95, 115.3, 91.4, 112.6, 89.3, 40, 0.12, 3, 24.1, 48.3, 10.8),
    "2024-07-20": (1, 116.2, 90.8, 113.0, 88.9, 10, 0.0, 0, 13.0, 24.6, 10.9),
    "2024-07-21": (95, 112.4, 90.3, 110.9, 89.0, 30, 0.04, 1, 18.3, 37.5, 10.4),
    "2024-07-22": (95, 110.1, 88.2, 109.8, 87.6, 35, 0.06, 1, 19.0, 39.1, 10.2),
    "2024-07-23": (95, 108.3, 87.0, 108.0, 86.4, 40, 0.09, 2, 20.4, 41.0, 9.9),
    "2024-07-24": (2, 109.0, 87.5, 107.7, 86.2, 25, 0.01, 0, 15.2, 29.8, 10.3),
    "2024-07-25": (1, 111.2, 88.6, 108.9, 86.9, 15, 0.0, 0, 12.8, 23.5, 10.6),
}
hours = ["%sT%02d:00" % (d, h) for d in days for h in range(24)]

def diurnal(day_index, hour, low, high):
    """Coolest at 5 AM, hottest at 4 PM, a cosine between them."""
    if 5 <= hour <= 16:
        x = (hour - 5) / 11
        return low + (high - low) * (1 - math.cos(math.pi * x)) / 2
    # evening and night: from today's high down to the next morning's low
    next_low = DAYS[days[min(day_index + 1, len(days) - 1)]][2] if hour > 16 else low
    prev_high = DAYS[days[max(day_index - 1, 0)]][1] if hour < 5 else high
    span = (hour - 16) % 24 if hour > 16 else hour + 8
    x = span / 13
    start = high if hour > 16 else prev_high
    end = next_low if hour > 16 else low
    return start + (end - start) * (1 - math.cos(math.pi * x)) / 2

# The storm of Friday evening: hour -> (temp, feels, code, chance, rain in, cloud, wind, gust, humidity)
STORM = {
    "2024-07-19T15:00": (114.6, 111.8, 2, 10, 0.0, 35, 11.0, 22.4, 17),
    "2024-07-19T16:00": (113.7, 111.0, 3, 25, 0.0, 70, 14.3, 29.5, 19),
    "2024-07-19T17:00": (106.2, 104.9, 95, 40, 0.04, 95, 24.1, 48.3, 31),
    "2024-07-19T18:00": (98.9, 99.6, 95, 40, 0.06, 100, 18.4, 39.7, 44),
    "2024-07-19T19:00": (97.1, 97.8, 80, 30, 0.02, 85, 11.2, 24.0, 46),
    "2024-07-19T20:00": (97.4, 97.2, 3, 15, 0.0, 60, 8.1, 16.3, 42),
    "2024-07-19T21:00": (96.6, 96.0, 2, 10, 0.0, 40, 7.0, 13.4, 40),
}

# After the storm the night cools steadily from 96.6 at 9 PM to Saturday's low of 90.8 at 5 AM.
for k in range(1, 8):
    stamp = (dt.datetime(2024, 7, 19, 21) + dt.timedelta(hours=k)).strftime("%Y-%m-%dT%H:00")
    t = round(96.6 + (90.8 - 96.6) * k / 8, 1)
    STORM[stamp] = (t, round(t - 0.8, 1), 0 if k > 2 else 1, 0, 0.0, 20 if k < 3 else 10, 6.5, 11.7, 40 - 2 * k)

def humidity_for(t):
    return int(round(12 + 14 * (1 - (t - 88) / 28)))

def dew_point(t_f, humidity):
    """Magnus formula, in °F."""
    t = (t_f - 32) / 1.8
    g = math.log(humidity / 100) + 17.62 * t / (243.12 + t)
    return round(243.12 * g / (17.62 - g) * 1.8 + 32, 1)

hourly = {k: [] for k in ["time", "temperature_2m", "apparent_temperature", "dew_point_2m", "relative_humidity_2m",
                          "weather_code", "precipitation_probability", "precipitation", "cloud_cover",
                          "wind_speed_10m", "wind_gusts_10m", "wind_direction_10m", "is_day", "uv_index",
                          "visibility", "cape", "snow_depth", "sunshine_duration"]}
for i, time in enumerate(hours):
    d, h = i // 24, i % 24
    code, high, low, fhigh, flow, chance, rain, _, wind, gust, uv = DAYS[days[d]]
    t = round(diurnal(d, h, low, high), 1)
    feels = round(t - 2.5 - 0.5 * math.sin(h / 24 * 2 * math.pi), 1)
    hum = humidity_for(t)
    hcode = 0 if h < 7 or h > 19 else (1 if h < 12 else 2)
    hchance = 0 if chance < 20 or h < 13 or h > 21 else chance - 10
    if days[d] == "2024-07-19":
        hchance = {13: 5, 14: 10}.get(h, 0)
    hrain = 0.0
    cloud = 5 if hcode == 0 else (20 if hcode == 1 else 35)
    w = round(6 + (wind - 6) * max(0.0, math.sin((h - 9) / 12 * math.pi)), 1) if 9 <= h <= 21 else 5.4
    g = round(w * 1.8, 1)
    if chance >= 30 and 16 <= h <= 19 and days[d] != "2024-07-19":
        hcode, hchance, cloud = 95 if h in (17, 18) else 3, chance, 80
    if time in STORM:
        t, feels, hcode, hchance, hrain, cloud, w, g, hum = STORM[time]
    dew = dew_point(t, hum)
    hourly["time"].append(time)
    hourly["temperature_2m"].append(t)
    hourly["apparent_temperature"].append(feels)
    hourly["dew_point_2m"].append(dew)
    hourly["relative_humidity_2m"].append(hum)
    hourly["weather_code"].append(hcode)
    hourly["precipitation_probability"].append(hchance)
    hourly["precipitation"].append(hrain)
    hourly["cloud_cover"].append(cloud)
    hourly["wind_speed_10m"].append(w)
    hourly["wind_gusts_10m"].append(g)
    hourly["wind_direction_10m"].append(110 if time in STORM and hcode == 95 else (240 if 11 <= h <= 20 else 90))
    hourly["is_day"].append(1 if 6 <= h <= 19 else 0)
    hourly["uv_index"].append(round(max(0.0, uv * math.sin((h - 6) / 13.5 * math.pi)), 2) if 6 <= h <= 19 else 0.0)
    hourly["visibility"].append(3200.0 if time == "2024-07-19T17:00" else 24140.0)
    hourly["cape"].append(round(max(0.0, 1400 * math.sin((h - 8) / 14 * math.pi)), 1) if 8 <= h <= 22 else 0.0)
    hourly["snow_depth"].append(0.0)
    hourly["sunshine_duration"].append(0.0 if hcode in (3, 80, 95) or not 6 <= h <= 19 else 3600.0)

daily = {"time": days}
columns = ["weather_code", "temperature_2m_max", "temperature_2m_min", "apparent_temperature_max",
           "apparent_temperature_min", "precipitation_probability_max", "precipitation_sum", "rain_sum",
           "snowfall_sum", "precipitation_hours", "wind_speed_10m_max", "wind_gusts_10m_max", "uv_index_max"]
for c in columns:
    daily[c] = []
for d in days:
    code, high, low, fhigh, flow, chance, rain, rh, wind, gust, uv = DAYS[d]
    for c, v in zip(columns, [code, high, low, fhigh, flow, chance, rain, rain, 0.0, rh, wind, gust, uv]):
        daily[c].append(v)
daily["sunrise"] = ["%sT05:%02d" % (d, 34 + k // 2) for k, d in enumerate(days)]
daily["sunset"] = ["%sT19:%02d" % (d, 39 - k // 2) for k, d in enumerate(days)]

def pick(series, keys):
    return {k: series[k] for k in ["time"] + keys}

def hour_slice(series, keys, first, count):
    return {k: series[k][first:first + count] for k in ["time"] + keys}

now_index = hours.index("2024-07-19T16:00")
current = {
    "time": NOW, "interval": 900, "temperature_2m": 113.2, "relative_humidity_2m": 19, "dew_point_2m": 59.6,
    "apparent_temperature": 110.4, "is_day": 1, "precipitation": 0.0, "rain": 0.0, "showers": 0.0,
    "snowfall": 0.0, "weather_code": 3, "cloud_cover": 72, "pressure_msl": 1005.8, "wind_speed_10m": 15.2,
    "wind_direction_10m": 135, "wind_gusts_10m": 31.5, "visibility": 16090.0, "wet_bulb_temperature_2m": 74.9,
    "cape": 1280.0,
}
UNITS = {"time": "iso8601", "interval": "seconds", "temperature_2m": "°F", "apparent_temperature": "°F",
         "dew_point_2m": "°F", "wet_bulb_temperature_2m": "°F", "relative_humidity_2m": "%", "is_day": "",
         "precipitation": "inch", "rain": "inch", "showers": "inch", "snowfall": "inch", "weather_code": "wmo code",
         "cloud_cover": "%", "pressure_msl": "hPa", "wind_speed_10m": "mp/h", "wind_direction_10m": "°",
         "wind_gusts_10m": "mp/h", "visibility": "ft", "cape": "J/kg", "uv_index": "", "snow_depth": "ft",
         "sunshine_duration": "s", "precipitation_probability": "%", "temperature_2m_max": "°F",
         "temperature_2m_min": "°F", "apparent_temperature_max": "°F", "apparent_temperature_min": "°F",
         "precipitation_probability_max": "%", "precipitation_sum": "inch", "rain_sum": "inch",
         "snowfall_sum": "inch", "precipitation_hours": "h", "wind_speed_10m_max": "mp/h",
         "wind_gusts_10m_max": "mp/h", "uv_index_max": "", "sunrise": "iso8601", "sunset": "iso8601",
         "daylight_duration": "s", "wind_direction_10m_dominant": "°", "dew_point_2m_mean": "°F",
         "dew_point_2m_max": "°F", "relative_humidity_2m_mean": "%", "cloud_cover_mean": "%"}

def units(block):
    return {k: UNITS[k] for k in block}

def reply(generation_ms, **blocks):
    body = {"latitude": LAT, "longitude": LON, "generationtime_ms": generation_ms, **ZONE, "elevation": ELEVATION}
    for name, block in blocks.items():
        body[name + "_units"] = units(block)
        body[name] = block
    return body

def write(name, body):
    with open(os.path.join(out, name), "w", encoding="utf-8") as f:
        json.dump(body, f, ensure_ascii=False, separators=(",", ":"))
        f.write("\n")

os.makedirs(out, exist_ok=True)

# The forecast the screens show: one past day, seven days ahead; the blend model has no UV.
main_hourly = pick(hourly, ["temperature_2m", "apparent_temperature", "dew_point_2m", "relative_humidity_2m",
                            "weather_code", "precipitation_probability", "precipitation", "cloud_cover",
                            "wind_speed_10m", "wind_gusts_10m", "is_day", "uv_index"])
main_hourly["uv_index"] = [None] * len(hours)
main_daily = pick(daily, columns[:-1] + ["uv_index_max", "sunrise", "sunset"])
main_daily["uv_index_max"] = [None] * len(days)
main_current = {k: current[k] for k in ["time", "interval", "temperature_2m", "relative_humidity_2m", "dew_point_2m",
                                        "apparent_temperature", "is_day", "precipitation", "weather_code",
                                        "cloud_cover", "wind_speed_10m", "wind_direction_10m", "wind_gusts_10m"]}
write("forecast.json", reply(14.6, current=main_current, hourly=main_hourly, daily=main_daily))

# The UV supplement from the default models.
write("forecast_uv.json", reply(0.9, hourly=pick(hourly, ["uv_index"]), daily=pick(daily, ["uv_index_max"])))

# What Merrin reads: richer lists, no past day, the next three hours in 15-minute steps.
summary_hourly = pick(hourly, ["temperature_2m", "relative_humidity_2m", "dew_point_2m", "apparent_temperature",
                               "precipitation_probability", "precipitation", "weather_code", "cloud_cover",
                               "wind_speed_10m", "wind_gusts_10m", "wind_direction_10m", "uv_index", "is_day",
                               "visibility", "cape", "snow_depth", "sunshine_duration"])
summary_hourly = {k: v[24:] for k, v in summary_hourly.items()}
summary_daily = {k: v[1:] for k, v in pick(daily, columns[:-1] + ["uv_index_max", "sunrise", "sunset"]).items()}
summary_daily["daylight_duration"] = [50460.0 - 60 * k for k in range(7)]
summary_daily["wind_direction_10m_dominant"] = [150, 230, 160, 140, 135, 220, 240]
summary_daily["dew_point_2m_mean"] = [52.4, 49.8, 56.1, 58.3, 59.0, 55.2, 51.7]
summary_daily["dew_point_2m_max"] = [63.5, 55.0, 62.2, 64.0, 64.8, 60.1, 56.3]
summary_daily["relative_humidity_2m_mean"] = [21, 16, 24, 27, 29, 24, 19]
summary_daily["cloud_cover_mean"] = [38, 12, 35, 41, 46, 27, 14]
summary_daily = {k: summary_daily[k] for k in ["time"] + [
    "weather_code", "temperature_2m_max", "temperature_2m_min", "apparent_temperature_max",
    "apparent_temperature_min", "precipitation_probability_max", "precipitation_sum", "precipitation_hours",
    "wind_speed_10m_max", "wind_gusts_10m_max", "uv_index_max", "sunrise", "sunset", "daylight_duration",
    "wind_direction_10m_dominant", "rain_sum", "snowfall_sum", "dew_point_2m_mean", "dew_point_2m_max",
    "relative_humidity_2m_mean", "cloud_cover_mean"]}
quarters = ["2024-07-19T%02d:%02d" % (16 + (30 + 15 * k) // 60, (30 + 15 * k) % 60) for k in range(12)]
minutely = {"time": quarters,
            "precipitation": [0.0, 0.0, 0.0, 0.01, 0.05, 0.08, 0.04, 0.02, 0.0, 0.0, 0.0, 0.0],
            "weather_code": [3, 3, 3, 95, 95, 95, 95, 80, 80, 3, 3, 3]}
summary_current = {k: current[k] for k in ["time", "interval", "temperature_2m", "relative_humidity_2m",
                                           "apparent_temperature", "is_day", "precipitation", "rain", "showers",
                                           "snowfall", "weather_code", "cloud_cover", "pressure_msl",
                                           "wind_speed_10m", "wind_direction_10m", "wind_gusts_10m", "visibility",
                                           "wet_bulb_temperature_2m", "cape"]}
write("forecast_summary.json", reply(22.3, current=summary_current, minutely_15=minutely, hourly=summary_hourly,
                                     daily=summary_daily))

# The next hour for the rain banner: unix times in GMT, one past step and eight ahead; rain
# reaches the place at 17:00 MST and is over by 18:30.
def unix(text):
    return calendar.timegm(dt.datetime.strptime(text, "%Y-%m-%dT%H:%M").timetuple())
steps = [("2024-07-19T23:30", 0.0, 5), ("2024-07-19T23:45", 0.0, 15), ("2024-07-20T00:00", 0.0, 25),
         ("2024-07-20T00:15", 0.3, 45), ("2024-07-20T00:30", 1.2, 60), ("2024-07-20T00:45", 2.0, 65),
         ("2024-07-20T01:00", 1.1, 55), ("2024-07-20T01:15", 0.4, 40), ("2024-07-20T01:30", 0.1, 30)]
write("minutely_15.json", {
    "latitude": LAT, "longitude": LON, "generationtime_ms": 0.31, "utc_offset_seconds": 0, "timezone": "GMT",
    "timezone_abbreviation": "GMT", "elevation": ELEVATION,
    "minutely_15_units": {"time": "unixtime", "precipitation": "mm", "precipitation_probability": "%"},
    "minutely_15": {"time": [unix(t) for t, _, _ in steps], "precipitation": [a for _, a, _ in steps],
                    "precipitation_probability": [p for _, _, p in steps]}})

# Ten years of daily highs and lows (°C) for the climate normals: Phoenix's seasonal curve with
# a little weather on top (a fixed pseudo-random sequence).
seed = 20240719
def noise():
    global seed
    seed = (seed * 1103515245 + 12345) % 2**31
    return (seed / 2**31 - 0.5) * 4.0
times, highs, lows = [], [], []
day = dt.date(2014, 1, 1)
while day <= dt.date(2023, 12, 31):
    doy = day.timetuple().tm_yday
    times.append(day.isoformat())
    highs.append(round(30.5 + 11.0 * math.cos(2 * math.pi * (doy - 197) / 365.25) + noise(), 1))
    lows.append(round(19.0 + 11.0 * math.cos(2 * math.pi * (doy - 200) / 365.25) + noise(), 1))
    day += dt.timedelta(days=1)
write("archive.json", {
    "latitude": 33.44, "longitude": -112.06, "generationtime_ms": 7.81, "utc_offset_seconds": -25200,
    "timezone": "America/Phoenix", "timezone_abbreviation": "GMT-7", "elevation": ELEVATION,
    "daily_units": {"time": "iso8601", "temperature_2m_max": "°C", "temperature_2m_min": "°C"},
    "daily": {"time": times, "temperature_2m_max": highs, "temperature_2m_min": lows}})
