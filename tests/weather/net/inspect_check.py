#!/usr/bin/env python3
"""orbimeteo-inspect's weather commands on the station files and forecast document of the tests,
and against the fake NOAA server: one JSON object per input, null where a value is missing.

    inspect_check.py ORBIMETEO_INSPECT DATA_DIR PORT_FILE CA_FILE
"""

import json
import os
import subprocess
import sys
import tempfile


def run(inspect, *args):
    done = subprocess.run([inspect, *args], capture_output=True, text=True, timeout=60)
    lines = [json.loads(line) for line in done.stdout.splitlines()]
    return done.returncode, lines


def expect(condition, what):
    if not condition:
        raise AssertionError(what)


def main():
    inspect, data, port_file, ca_file = sys.argv[1:5]
    stations = os.path.join(data, "stations")
    with open(port_file) as f:
        http_port, https_port, untrusted_port = (int(line) for line in f.read().split())
    server = "http://127.0.0.1:%d" % http_port
    secure = "https://127.0.0.1:%d" % https_port

    with tempfile.TemporaryDirectory() as folder:
        # The example of the station file: the header line and the report, LF endings.
        klax = os.path.join(folder, "KLAX.TXT")
        with open(klax, "wb") as f:
            f.write(b"2008/01/07 18:53\nKLAX 071853Z 26010KT 10SM FEW020 SCT250 18/09 A3002 RMK AO2\n")
        no_header = os.path.join(folder, "report.txt")
        with open(no_header, "wb") as f:
            f.write(b"KLAX 071853Z 26010KT 10SM OVC020 M01/M05 A3002\n")
        broken = os.path.join(folder, "broken.xml")
        with open(broken, "wb") as f:
            f.write(b"<dwml><data>")

        code, lines = run(inspect, "metar", klax, os.path.join(stations, "KJFK.TXT"))
        expect(code == 0 and len(lines) == 2, "two answers: %r" % lines)
        expect(lines[0] == {"file": klax, "report_time": "2008-01-07T18:53:00", "weather_code": 4,
                            "temperature": 18, "dew_point": 9}, "KLAX: %r" % lines[0])
        expect(lines[1]["weather_code"] == 13 and lines[1]["temperature"] == -2, "KJFK: %r" % lines[1])

        # Without a header the time comes from "now"; the station is given, not the file's name.
        code, lines = run(inspect, "metar", "--station", "KLAX", "--now", "2008-01-08T01:00:00Z", no_header)
        expect(code == 0 and lines[0]["report_time"] == "2008-01-07T18:53:00" and lines[0]["weather_code"] == 6,
               "no header: %r" % lines)
        code, lines = run(inspect, "metar", "--now", "2008-01-20T00:00:00Z", no_header, klax)
        expect(code == 1 and lines[0] == {"file": no_header, "error": "Nullable<class DateTime>::Value (20)"}
               and lines[1]["weather_code"] == 4, "failure: %r" % lines)

        code, lines = run(inspect, "dwml", "--now", "2008-01-07T12:30:00Z",
                          os.path.join(data, "dwml", "forecast.xml"), broken)
        expect(code == 1 and len(lines) == 2, "dwml answers: %r" % lines)
        forecast = lines[0]
        expect(forecast["report_time"] == "2008-01-07T12:30:00" and len(forecast["items"]) == 13,
               "forecast: %r" % forecast)
        first = forecast["items"][0]
        expect(first["start"] == "2008-01-07T06:00:00" and first["end"] == "2008-01-07T18:00:00"
               and first["summary"] == "Partly Sunny" and first["code"] == 4
               and abs(first["max"] - 7.2222) < 1e-3 and abs(first["min"] + 1.1111) < 1e-3, "first: %r" % first)
        expect(forecast["items"][12]["min"] is None, "no minimum: %r" % forecast["items"][12])
        expect(lines[1] == {"file": broken, "error": "unexpected end of data"}, "broken: %r" % lines[1])

        code, lines = run(inspect, "fetch", "KLAX", "--server", server)
        expect(code == 0 and lines[0] == {"station": "KLAX", "report_time": "2008-01-07T18:53:00",
                                          "weather_code": 4, "temperature": 18, "dew_point": 9}, "fetch: %r" % lines)
        code, lines = run(inspect, "fetch", "NONE", "--server", server)
        expect(code == 1 and lines[0]["error"] == "Util::DownloadHttp (18)", "fetch unknown: %r" % lines)

        code, lines = run(inspect, "forecast", "38.99", "-77.01", "--server", server)
        expect(code == 0 and len(lines[0]["items"]) == 13 and lines[0]["latitude"] == 38.99,
               "forecast: %r" % lines)

        # Over https with the test authority, also reached from a plain address that redirects.
        klax = {"station": "KLAX", "report_time": "2008-01-07T18:53:00", "weather_code": 4, "temperature": 18,
                "dew_point": 9}
        code, lines = run(inspect, "fetch", "KLAX", "--server", secure, "--ca-file", ca_file)
        expect(code == 0 and lines == [klax], "fetch over https: %r" % lines)
        code, lines = run(inspect, "fetch", "KLAX", "--server", server + "/to-https/301", "--ca-file", ca_file)
        expect(code == 0 and lines == [klax], "fetch redirected to https: %r" % lines)
        code, lines = run(inspect, "forecast", "38.99", "-77.01", "--server", secure, "--ca-file", ca_file)
        expect(code == 0 and len(lines[0]["items"]) == 13, "forecast over https: %r" % lines)
        code, lines = run(inspect, "fetch", "KLAX", "--server", "https://127.0.0.1:%d" % untrusted_port,
                          "--ca-file", ca_file)
        expect(code == 1 and lines[0]["error"] == "Util::DownloadHttp (18)", "untrusted: %r" % lines)
        code, lines = run(inspect, "fetch", "KLAX", "--server", secure)
        expect(code == 1 and lines[0]["error"] == "Util::DownloadHttp (18)", "system trust only: %r" % lines)

        code, _ = run(inspect, "metar")
        expect(code == 2, "usage exit code %d" % code)
    print("orbimeteo-inspect weather commands: ok")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except AssertionError as e:
        print("FAILED: %s" % e)
        sys.exit(1)
