#!/usr/bin/env python3
"""Checks orbimeteo-inspect's sunrise and sunset against PyEphem, an independent ephemeris.

Usage: sun_crosscheck.py PATH/TO/orbimeteo-inspect

The official sunrise is the moment the sun's centre is 90.8333 degrees from the zenith: in
PyEphem terms a horizon of -0:50 with refraction turned off (pressure 0) and use_center=True.
Times are compared modulo one day, since the program folds the sunrise into the UTC date.
"""
import datetime
import json
import subprocess
import sys

try:
    import ephem
except ImportError:
    sys.exit("FAIL: the Python module 'ephem' is missing; install Debian's python3-ephem "
             "(apt-get install python3-ephem) and run with the system python3")

TOLERANCE_MIN = 2.0

CITIES = [
    ("New York", 40.7128, -74.0060),
    ("Mexico City", 19.4326, -99.1332),
    ("Anchorage", 61.2181, -149.9003),
    ("Honolulu", 21.3069, -157.8583),
    ("Sao Paulo", -23.5505, -46.6333),
    ("Ushuaia", -54.8019, -68.3030),
    ("London", 51.5074, -0.1278),
    ("Reykjavik", 64.1466, -21.9426),
    ("Moscow", 55.7558, 37.6173),
    ("Longyearbyen", 78.2232, 15.6267),
    ("Cairo", 30.0444, 31.2357),
    ("Nairobi", -1.2921, 36.8219),
    ("Cape Town", -33.9249, 18.4241),
    ("Mumbai", 19.0760, 72.8777),
    ("Singapore", 1.3521, 103.8198),
    ("Tokyo", 35.6762, 139.6503),
    ("Sydney", -33.8688, 151.2093),
    ("Auckland", -36.8485, 174.7633),
    ("McMurdo Station", -77.8419, 166.6863),
]

DATES = ["2023-11-05", "2024-02-29", "2024-03-20", "2024-05-01", "2024-06-21",
         "2024-09-22", "2024-12-21", "2025-02-10"]


def wrap(minutes):
    """Into [-720, 720): the difference of two times of day."""
    return (minutes + 720.0) % 1440.0 - 720.0


def ephem_events(lat, lon, date):
    """(rise, set) in minutes after 0:00 UTC of the date, or None when the sun does not cross."""
    observer = ephem.Observer()
    observer.lat = str(lat)
    observer.lon = str(lon)
    observer.elevation = 0
    observer.pressure = 0
    observer.horizon = "-0:50"
    midnight_utc = ephem.Date(date.strftime("%Y/%m/%d 00:00:00"))
    # Start at local mean midnight, so the events belong to the same solar day as the program's.
    observer.date = ephem.Date(midnight_utc - lon / 360.0)
    sun = ephem.Sun()
    try:
        rise = observer.next_rising(sun, use_center=True)
        set_ = observer.next_setting(sun, start=rise, use_center=True)
    except (ephem.AlwaysUpError, ephem.NeverUpError):
        return None
    return (rise - midnight_utc) * 1440.0, (set_ - midnight_utc) * 1440.0


def run(inspect, *args):
    result = subprocess.run([inspect, *args], capture_output=True, text=True, timeout=30)
    return result.returncode, result.stdout, result.stderr


def iso_minutes(text, date):
    instant = datetime.datetime.strptime(text[:26], "%Y-%m-%dT%H:%M:%S.%f")
    return (instant - datetime.datetime.combine(date, datetime.time())).total_seconds() / 60.0


def check_sun(inspect, failures):
    compared = 0
    worst = 0.0
    for name, lat, lon in CITIES:
        for text in DATES:
            date = datetime.date.fromisoformat(text)
            where = f"{name} ({lat}, {lon}) on {text}"
            code, out, err = run(inspect, "sun", str(lat), str(lon), text)
            if code != 0:
                failures.append(f"{where}: exit {code}: {out.strip()} {err.strip()}")
                continue
            ours = json.loads(out)
            reference = ephem_events(lat, lon, date)
            if reference is None or ours["rise_min"] is None:
                if (reference is None) != (ours["rise_min"] is None):
                    failures.append(f"{where}: crossing {'missing' if reference else 'found'} "
                                    f"(program {ours}, ephem {reference})")
                continue
            rise, set_ = ours["rise_min"], ours["set_min"]
            if not (0 <= rise < 1440 and rise < set_ < rise + 1440):
                failures.append(f"{where}: minutes out of shape: {ours}")
            for label, value, iso in (("rise", rise, ours["rise_utc"]), ("set", set_, ours["set_utc"])):
                if abs(iso_minutes(iso, date) - value) > 1.0 / 60000:
                    failures.append(f"{where}: {label} instant {iso} is not {value} minutes")
            for label, value, expected in (("sunrise", rise, reference[0]), ("sunset", set_, reference[1]),
                                           ("day length", set_ - rise, reference[1] - reference[0])):
                difference = wrap(value - expected)
                worst = max(worst, abs(difference))
                compared += 1
                if abs(difference) > TOLERANCE_MIN:
                    failures.append(f"{where}: {label} {value:.2f} min, ephem {expected:.2f} min "
                                    f"(off by {difference:+.2f} min)")
    return compared, worst


def check_command_line(inspect, failures):
    for args in ([], ["nonsense"], ["sun", "40", "-74"], ["sun", "north", "-74", "2024-06-21"],
                 ["sun", "40", "-74", "2024-6-21"], ["daytime", "40", "-74", "2024-06-21T12:00:00"],
                 ["polar", "nan", "2024-06-21"], ["mask", "0", "10", "2024-06-21", "x.pgm"]):
        code, out, err = run(inspect, *args)
        if code != 2 or "usage" not in err or out:
            failures.append(f"{args}: expected usage and exit 2, got exit {code}, stdout {out!r}")
    for args, expected in ((["sun", "90.5", "0", "2024-06-21"], {"error": "CSun::GetSunriseSunset (389)"}),
                           (["sun", "40", "0", "2023-02-29"], {"error": "DateTime::DateToTicks (48)"}),
                           (["polar", "0", "2024-06-21"], {"error": "CSun::IsPolarDay (502)"}),
                           (["polar", "80", "2024-06-21"], {"polar_day": True}),
                           (["daytime", "80", "15", "2024-06-21T23:00:00Z"], {"daytime": True}),
                           (["daytime", "40.7128", "-74.006", "2024-06-22T03:00:00.5Z"], {"daytime": False})):
        code, out, err = run(inspect, *args)
        try:
            answer = json.loads(out)
        except ValueError:
            answer = out
        if answer != expected:
            failures.append(f"{args}: expected {expected}, got exit {code}, {out.strip()!r} {err.strip()!r}")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    inspect = sys.argv[1]
    failures = []
    compared, worst = check_sun(inspect, failures)
    check_command_line(inspect, failures)
    if failures:
        print(f"FAIL: {len(failures)} disagreement(s) with PyEphem {ephem.__version__} "
              f"(tolerance {TOLERANCE_MIN} min):")
        for failure in failures:
            print("  " + failure)
        return 1
    print(f"OK: {compared} sunrise/sunset/day-length figures within {TOLERANCE_MIN} min of PyEphem "
          f"{ephem.__version__}; worst {worst:.2f} min")
    return 0


if __name__ == "__main__":
    sys.exit(main())
