#!/usr/bin/env python3
"""What the results site of a checked contest must show, from the check's
own outputs (results.csv and qsos.csv in OUT_DIR), as check_site.py's
--expect JSON:

  contest_expect.py OUT_DIR STATION... > expect.json

category_rows: the checked logs of each category, in the order of
results.csv. For each STATION's page (stations/STATION.html): its bands,
hours and lines that lost credit, and the bars: its credited contacts
(ok, unverified, unique) per band ("14 MHz") and hour, from its first to
its last hour within the contest's period (the hours from the first to the
last line any log has "ok"). A check run with --remove-uniques is not
supported here.
"""

import csv
import datetime
import json
import os
import sys

CREDITED = {"ok", "unverified", "unique"}


def hour_of(time):
    """'2026-03-14 0018' as the datetime of its hour."""
    return datetime.datetime.strptime(time[:13], "%Y-%m-%d %H")


def main():
    if len(sys.argv) < 3:
        print(__doc__.split("\n\n")[1], file=sys.stderr)
        return 2
    out, stations = sys.argv[1], sys.argv[2:]
    with open(os.path.join(out, "results.csv"), newline="", encoding="utf-8") as file:
        results = [row for row in csv.DictReader(file) if row["status"] == "checked"]
    categories = []
    for row in results:
        if not categories or categories[-1][0] != row["category"]:
            categories.append([row["category"], 0])
        categories[-1][1] += 1

    with open(os.path.join(out, "qsos.csv"), newline="", encoding="utf-8") as file:
        qsos = list(csv.DictReader(file))
    confirmed = [hour_of(q["time"]) for q in qsos if q["decision"] == "ok"]
    first, last = min(confirmed), max(confirmed)

    pages = {}
    for station in stations:
        lines = [q for q in qsos if q["station"] == station]
        if not lines:
            print(f"contest_expect.py: no line of {station} in qsos.csv", file=sys.stderr)
            return 1
        shown = [q for q in lines
                 if q["decision"] in CREDITED and first <= hour_of(q["time"]) <= last]
        bars = {}
        for q in shown:
            band = bars.setdefault(q["band"] + " MHz", {})
            hour = hour_of(q["time"]).strftime("%Y-%m-%d %HZ")
            band[hour] = band.get(hour, 0) + 1
        hours = [hour_of(q["time"]) for q in shown]
        span = int((max(hours) - min(hours)).total_seconds() // 3600) + 1 if hours else 0
        pages[f"stations/{station}.html"] = {
            "bands": len(bars), "hours": span,
            "lost_lines": sum(1 for q in lines if q["decision"] not in CREDITED),
            "bars": bars}
    json.dump({"category_rows": [count for _, count in categories], "station_pages": pages},
              sys.stdout, indent=2)
    print()
    return 0


if __name__ == "__main__":
    sys.exit(main())
