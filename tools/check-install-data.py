#!/usr/bin/env python3
"""Checks the installation data in install/ (or the folder given): every weather icon in both
icon folders at its size with transparency, the sky, the panel, the world images, and the
station database CityRecords.txt line by line, including the 18 built-in default cities byte
for byte. Standard library only. Prints what is wrong and exits with 1 if anything is.

Usage: check-install-data.py [INSTALL_FOLDER]
"""

import os
import re
import shutil
import struct
import subprocess
import sys
import unicodedata
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Day and night picture of each weather code 0..18, as the program loads them.
ICON_TABLE = [
    ("Clear.png", "Night Clear.png"),
    ("Fair.png", "Night Fair.png"),
    ("Fog.png", "Fog.png"),
    ("Haze.png", "Haze.png"),
    ("Partly Cloudy.png", "Night Partly Cloudy.png"),
    ("Mostly Cloudy.png", "Night Mostly Cloudy.png"),
    ("Cloudy.png", "Cloudy.png"),
    ("Cold.png", "Cold.png"),
    ("Clear.png", "Clear.png"),
    ("Windy.png", "Windy.png"),
    ("Rain Showers.png", "Rain Showers.png"),
    ("Snow.png", "Snow.png"),
    ("Hail.png", "Hail.png"),
    ("Rain.png", "Rain.png"),
    ("Snow.png", "Snow.png"),
    ("Rain and Snow.png", "Rain and Snow.png"),
    ("Hail.png", "Hail.png"),
    ("Thunderstorms.png", "Thunderstorms.png"),
    ("Thunderstorms.png", "Thunderstorms.png"),
]
LARGE_SIZE = (2048, 2048)
SMALL_SIZE = (64, 64)
WORLD_SIZE = (4096, 2048)
SKY_MIN = (3840, 2160)
PANEL_CORNER = 30

# The program's default home city and favourites, exactly as it writes them.
DEFAULT_LINES = [
    "348400;KLAX;USA;Los Angeles;Los Angeles International Airport;33.938000;-118.389000",
    "358900;KMIA;USA;Miami;Miami International Airport;25.791000;-80.316002",
    "370800;KJFK;USA;New York;Kennedy International Airport;40.639000;-73.762001",
    "113600;LFPO;France;Paris;Orly;48.733002;2.400000",
    "221800;LEMD;Spain;Madrid;Barajas;40.450001;-3.550000",
    "152100;LIRF;Italy;Roma;Fiumicino;41.799999;12.233000",
    "163300;RJAA;Japan;Tokyo;New Tokyo International Airport;35.766998;140.382996",
    "213600;WSSS;Singapore;Singapore;Changi Airport;1.367000;103.983002",
    "216100;FAJS;South Africa;Johannesburg;;-26.132999;28.233000",
    "227400;ESSA;Sweden;Stockholm;Arlanda;59.650002;17.950001",
    "79800;CYVR;Canada;Vancouver;International Airport;49.182999;-123.167000",
    "12100;YSSY;Australia;Sydney;;-33.950001;151.182999",
    "86600;ZBAA;China;Beijing;;39.932999;116.282997",
    "133400;VHHH;Hong Kong;Hong Kong;;22.333000;114.182999",
    "136800;VIDP;India;New Delhi;Palam;28.566999;77.116997",
    "179000;GMMC;Morocco;Casablanca;;33.567001;-7.667000",
    "23000;SBBR;Brazil;Brasilia;;-15.867000;-47.932999",
    "175100;MMMX;Mexico;Mexico City;Licenci;19.433001;-99.099998",
]
MAX_LINE = 5119
MIN_STATIONS = 6000


class Checker:
    def __init__(self):
        self.errors = []
        self.passed = 0

    def check(self, ok, message):
        if ok:
            self.passed += 1
        else:
            self.errors.append(message)
        return ok


def read_png(path, pixels=False):
    """(width, height, colour type, rows of RGBA tuples or None) of an 8-bit PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if not pixels:
        return width, height, colour, None
    if depth != 8 or interlace or colour not in (0, 2, 4, 6):
        raise ValueError("unsupported PNG layout (depth %d, colour %d, interlace %d)" % (depth, colour, interlace))
    channels = {0: 1, 2: 3, 4: 2, 6: 4}[colour]
    raw = zlib.decompress(b"".join(idat))
    stride = width * channels
    rows, prior = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = prior[i]
            upper_left = prior[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + ((left + up) >> 1)) & 255
            elif kind == 4:
                p = left + up - upper_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upper_left)
                row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else upper_left)) & 255
        rows.append(row)
        prior = row
    alpha = lambda row, x: row[x * channels + channels - 1] if colour in (4, 6) else 255
    return width, height, colour, [[alpha(row, x) for x in range(width)] for row in rows]


def jpeg_size(path):
    """(width, height) from a JPEG's frame header."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"\xff\xd8":
        raise ValueError("not a JPEG file")
    pos = 2
    while pos < len(data):
        if data[pos] != 0xFF:
            raise ValueError("broken JPEG marker")
        marker = data[pos + 1]
        if marker in (0xD8, 0x01) or 0xD0 <= marker <= 0xD7:
            pos += 2
            continue
        length = struct.unpack(">H", data[pos + 2:pos + 4])[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            height, width = struct.unpack(">HH", data[pos + 5:pos + 9])
            return width, height
        pos += 2 + length
    raise ValueError("no JPEG frame header")


def check_icons(c, install):
    names = sorted({name for pair in ICON_TABLE for name in pair})
    for folder, size in (("LargeWeatherIcons", LARGE_SIZE), ("SmallWeatherIcons", SMALL_SIZE)):
        for name in names + (["NA.png"] if folder == "LargeWeatherIcons" else []):
            path = os.path.join(install, folder, name)
            if not c.check(os.path.isfile(path), "%s\\%s is missing" % (folder, name)):
                continue
            try:
                # Decoding 2048-pixel pictures here would take minutes; ImageMagick checks them.
                width, height, colour, alpha = read_png(path, pixels=size == SMALL_SIZE)
            except (ValueError, zlib.error) as e:
                c.check(False, "%s\\%s: %s" % (folder, name, e))
                continue
            c.check((width, height) == size, "%s\\%s is %dx%d, not %dx%d" % (folder, name, width, height, *size))
            c.check(colour in (4, 6), "%s\\%s has no alpha channel" % (folder, name))
            if alpha:
                flat = [a for row in alpha for a in row]
                c.check(min(flat) == 0, "%s\\%s has no transparent pixels" % (folder, name))
                c.check(sum(1 for a in flat if a > 128) > len(flat) // 20,
                        "%s\\%s is nearly empty" % (folder, name))
    check_large_alpha(c, install, sorted(set(names)) + ["NA.png"])
    return len(names)


def check_large_alpha(c, install, names):
    """The large pictures' alpha, as the small ones': some transparent pixels, and more than a
    twentieth of them over half opaque. One ImageMagick run for all of them."""
    convert = shutil.which("convert")
    if not c.check(convert is not None, "ImageMagick's convert is needed to check the large icons"):
        return
    paths = [os.path.join(install, "LargeWeatherIcons", name) for name in names]
    paths = [path for path in paths if os.path.isfile(path)]
    result = subprocess.run([convert] + paths + ["-alpha", "extract", "-threshold", "50%", "-format",
                            "%[min] %[fx:mean]\n", "info:"], capture_output=True, text=True)
    lines = result.stdout.split()
    if not c.check(result.returncode == 0 and len(lines) == 2 * len(paths),
                   "ImageMagick could not read the large icons: %s" % result.stderr.strip()[:200]):
        return
    for i, path in enumerate(paths):
        name = os.path.basename(path)
        c.check(float(lines[2 * i]) == 0, "LargeWeatherIcons\\%s has no transparent pixels" % name)
        c.check(float(lines[2 * i + 1]) > 1 / 20, "LargeWeatherIcons\\%s is nearly empty" % name)


def check_pictures(c, install):
    sky = os.path.join(install, "LargeWeatherIcons", "Sky.png")
    if c.check(os.path.isfile(sky), "LargeWeatherIcons\\Sky.png is missing"):
        width, height, _, _ = read_png(sky)
        c.check(width >= SKY_MIN[0] and height >= SKY_MIN[1],
                "Sky.png is %dx%d, smaller than %dx%d" % (width, height, *SKY_MIN))

    panel = os.path.join(install, "UI", "LocalWeatherBackground.png")
    if c.check(os.path.isfile(panel), "UI\\LocalWeatherBackground.png is missing"):
        width, height, colour, alpha = read_png(panel, pixels=True)
        size_ok = c.check(width > 2 * PANEL_CORNER and height > 2 * PANEL_CORNER,
                          "LocalWeatherBackground.png is %dx%d, needs at least 61x61" % (width, height))
        c.check(colour in (4, 6), "LocalWeatherBackground.png has no alpha channel")
        if size_ok and colour in (4, 6):
            # The nine-slice drawing stretches the edges along the border and the centre both
            # ways, so those parts must not change in the stretched direction.
            spread = 0
            for y in range(height):
                part = alpha[y][PANEL_CORNER:width - PANEL_CORNER]
                spread = max(spread, max(part) - min(part))
            for x in range(width):
                part = [alpha[y][x] for y in range(PANEL_CORNER, height - PANEL_CORNER)]
                spread = max(spread, max(part) - min(part))
            c.check(spread <= 2, "LocalWeatherBackground.png is not uniform outside its 30-pixel corners "
                                 "(alpha varies by %d)" % spread)
            centre = alpha[height // 2][width // 2]
            c.check(0 < centre < 255, "LocalWeatherBackground.png's centre is not translucent")

    earth = os.path.join(install, "Earth")
    c.check(os.path.isfile(os.path.join(earth, "Blue Marble.jpg")), "Earth\\Blue Marble.jpg is missing")
    backgrounds = sorted(os.listdir(earth)) if os.path.isdir(earth) else []
    c.check(len(backgrounds) >= 3, "Earth\\ has %d backgrounds, expected at least 3" % len(backgrounds))
    for name in backgrounds + ["../EarthNight/Night.jpg"]:
        path = os.path.normpath(os.path.join(earth, name))
        label = os.path.relpath(path, install)
        if not c.check(os.path.isfile(path), "%s is missing" % label):
            continue
        try:
            size = jpeg_size(path) if name.lower().endswith((".jpg", ".jpeg")) else read_png(path)[:2]
        except ValueError as e:
            c.check(False, "%s: %s" % (label, e))
            continue
        c.check(tuple(size) == WORLD_SIZE, "%s is %dx%d, not %dx%d" % (label, size[0], size[1], *WORLD_SIZE))
    return len(backgrounds)


def fold(text):
    decomposed = unicodedata.normalize("NFKD", text)
    return "".join(ch for ch in decomposed if not unicodedata.combining(ch)).casefold()


def check_cities(c, install):
    path = os.path.join(install, "CityRecords.txt")
    if not c.check(os.path.isfile(path), "CityRecords.txt is missing"):
        return 0
    with open(path, "rb") as f:
        data = f.read()
    try:
        text = data.decode("cp1252")
    except UnicodeDecodeError as e:
        c.check(False, "CityRecords.txt is not Windows-1252 text: %s" % e)
        return 0
    c.check(not data.startswith(b"\xef\xbb\xbf"), "CityRecords.txt starts with a UTF-8 byte order mark")
    c.check(b"\r" not in data, "CityRecords.txt has CR characters (lines end with LF)")
    c.check(data.endswith(b"\n"), "CityRecords.txt does not end with a line end")
    # UTF-8 multi-byte sequences (a lead byte and continuation bytes) read as cp1252 are
    # mojibake such as "Ã©"; real names never hold such pairs.
    utf8 = re.search(rb"[\xc2-\xdf][\x80-\xbf]|[\xe0-\xef][\x80-\xbf]{2}|[\xf0-\xf4][\x80-\xbf]{3}", data)
    c.check(not utf8, "CityRecords.txt holds UTF-8 text (line %d), not Windows-1252"
            % (data[:utf8.start()].count(b"\n") + 1 if utf8 else 0))

    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    ids, keys, bad = set(), [], 0
    previous_id = None
    number = re.compile(r"-?\d+\.\d{6}")
    for n, line in enumerate(lines, 1):
        problems = []
        fields = line.split(";")
        if len(line) > MAX_LINE:
            problems.append("longer than %d characters" % MAX_LINE)
        if len(fields) != 7:
            problems.append("%d fields, not 7" % len(fields))
        else:
            id_text, icao, country, city, details, lat, lon = fields
            if not re.fullmatch(r"-?\d+", id_text):
                problems.append("id %r is not a whole number" % id_text)
            else:
                id_ = int(id_text)
                if id_ in ids:
                    problems.append("id %d used twice" % id_)
                if previous_id is not None and id_ <= previous_id:
                    problems.append("id %d does not follow %d" % (id_, previous_id))
                ids.add(id_)
                previous_id = id_
            if not re.fullmatch(r"[A-Z][A-Z0-9]{3}", icao):
                problems.append("ICAO code %r is not four letters or digits" % icao)
            for label, value in (("country", country), ("city", city)):
                if not value.strip():
                    problems.append("empty " + label)
            for label, value in (("country", country), ("city", city), ("details", details)):
                if value != value.strip() or any(unicodedata.category(ch).startswith("C") for ch in value):
                    problems.append("%s %r has control characters or outer spaces" % (label, value))
            for label, value, limit in (("latitude", lat, 90), ("longitude", lon, 180)):
                if not number.fullmatch(value):
                    problems.append("%s %r is not written with six decimals" % (label, value))
                elif abs(float(value)) > limit:
                    problems.append("%s %s is out of range" % (label, value))
            keys.append((fold(country), fold(city)))
        if problems:
            bad += 1
            if bad <= 20:
                c.check(False, "CityRecords.txt line %d: %s" % (n, "; ".join(problems)))
    c.check(bad == 0, "CityRecords.txt: %d bad lines in all" % bad)
    c.check(len(lines) >= MIN_STATIONS, "CityRecords.txt has only %d stations" % len(lines))
    out_of_order = [i for i in range(1, len(keys)) if keys[i] < keys[i - 1]]
    c.check(not out_of_order, "CityRecords.txt is not sorted by country, then city (first at line %d)"
            % (out_of_order[0] + 1 if out_of_order else 0))

    present = set(lines)
    for expected in DEFAULT_LINES:
        icao = expected.split(";")[1]
        if expected in present:
            c.check(True, "")
            continue
        found = [line for line in lines if line.split(";")[1:2] == [icao]]
        c.check(False, "default city %s differs: expected %r, found %r" % (icao, expected, found[0] if found else None))
    return len(lines)


def main():
    install = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "install"))
    c = Checker()
    icons = check_icons(c, install)
    backgrounds = check_pictures(c, install)
    stations = check_cities(c, install)
    for message in c.errors:
        print("check-install-data: " + message)
    if c.errors:
        print("check-install-data: FAILED, %d problems (%d checks passed)" % (len(c.errors), c.passed))
        return 1
    print("check-install-data: OK, %d checks passed (%d stations, %d icon names in both sizes, "
          "%d backgrounds)" % (c.passed, stations, icons, backgrounds))
    return 0


if __name__ == "__main__":
    sys.exit(main())
