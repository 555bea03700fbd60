#!/usr/bin/env python3
"""Runs the time-zone probe under Wine in several zones (Wine follows each
process's TZ) and compares the library's answers with the zone's offset and
daylight state for the current moment, computed here from the system's zone data.

usage: check_time_zone.py WINE-RUN PROBE.exe Ostrel64.dll
"""
import datetime
import os
import re
import subprocess
import sys
from zoneinfo import ZoneInfo

ZONES = ["UTC", "Europe/Berlin", "America/New_York", "Australia/Sydney",
         "Asia/Kolkata", "America/St_Johns", "Asia/Tokyo"]


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def main():
    wine_run, probe, library = sys.argv[1:]
    failures = 0
    for zone in ZONES:
        before = datetime.datetime.now(ZoneInfo(zone))
        run = subprocess.run([wine_run, probe, windows_path(library)],
                             env=dict(os.environ, TZ=zone),
                             capture_output=True, text=True, timeout=120)
        after = datetime.datetime.now(ZoneInfo(zone))
        if run.returncode == 77:
            return 77
        found = re.search(r"offset=(-?\d+) daylight=([01])", run.stdout)
        if run.returncode != 0 or not found:
            print(f"{zone}: probe failed ({run.returncode}): {run.stdout}{run.stderr}")
            failures += 1
            continue
        offset, daylight = int(found.group(1)), found.group(2) == "1"
        # A zone that changed its clock during the run may give either answer.
        expected = {(int(t.utcoffset().total_seconds() * 1000), bool(t.dst())) for t in (before, after)}
        verdict = "ok" if (offset, daylight) in expected else "WRONG"
        print(f"{zone}: offset={offset} daylight={int(daylight)} expected {sorted(expected)} {verdict}")
        failures += verdict != "ok"
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
