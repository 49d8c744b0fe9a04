#!/usr/bin/env python3
"""Builds default_data/international_dialling_codes.lines, the default "InterTelDir.dat".

Reads the unpacked Debian packages that fetch.sh downloads (python3-phonenumbers: the
country calling codes and their regions, and the North American area codes with the places
of their exchanges; tzdata: iso3166.tab, the English country names) and the hand-kept
decisions.txt beside this script (which codes stand in which run, the names of the time,
how many places each area code gets, and the fixed rows, which the file holds exactly as
they stand). It fits the records into the file's four runs, checks every number the file must
meet, and writes the file only when all of them hold. Running it again on the same sources
writes the same bytes.

    python3 tools/international_dialling/build.py [--sources DIR] [--output FILE] [--provenance FILE]

DIR is the folder fetch.sh downloaded the packages into (its default is the same as
fetch.sh's); the packages are read from DIR/unpacked.
"""
import argparse
import ast
import collections
import glob
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.dirname(HERE))
from data_lines import Fault, add_sources_argument, expect, write_provenance, write_when_sound  # noqa: E402
PHONENUMBERS = "usr/lib/python3/dist-packages/phonenumbers"
ISO3166 = "usr/share/zoneinfo/iso3166.tab"
# The iso3166.tab entries the records were made from (tzdata 2026b-0+deb12u1). fetch.sh
# takes the tzdata that the archive offers, whose version changes; its entries that the
# build reads must still say the same.
ISO3166_BUILT_FROM = os.path.join(HERE, "iso3166_built_from.tab")

# The Canadian province abbreviations of the time where they differ from today's.
PROVINCES_OF_THE_TIME = {"QC": "PQ", "NL": "NF"}
PLACE_TEXT = re.compile(r"[A-Za-z,./()-]+( [A-Za-z,./()-]+)*")
CITY_RECORD = re.compile(r"[A-Za-z./-]+( [A-Za-z./-]+)*, [A-Z]{2}")


# ---------------------------------------------------------------------------------------
# Sources


def python_literal(text):
    """A literal of the generated phonenumbers modules; u('...') calls give their text."""

    class Unwrap(ast.NodeTransformer):
        def visit_Call(self, node):
            return self.visit(node.args[0])

    return ast.literal_eval(Unwrap().visit(ast.parse(text, mode="eval")))


def load_places(root):
    """Every NANP prefix ("1" and up to six more digits) with its English place name."""
    places = {}
    for path in sorted(glob.glob(os.path.join(root, PHONENUMBERS, "geodata", "data*.py"))):
        with open(path, encoding="utf-8") as file:
            source = file.read()
        table = python_literal(source[source.index("data = {") + len("data = "):])
        for prefix, names in table.items():
            if prefix.startswith("1") and "en" in names:
                places[prefix] = names["en"]
    if not places:
        raise Fault("no geocoding data under %s: run tools/international_dialling/fetch.sh first" % root)
    return places


def load_calling_codes(root):
    """Country calling code -> the region codes that share it."""
    with open(os.path.join(root, PHONENUMBERS, "data", "__init__.py"), encoding="utf-8") as file:
        source = file.read()
    start = source.index("_COUNTRY_CODE_TO_REGION_CODE = ") + len("_COUNTRY_CODE_TO_REGION_CODE = ")
    end = source.index("\n}", start) + 2
    return python_literal(source[start:end])


def load_country_names(root):
    return load_entries(os.path.join(root, ISO3166))


def load_entries(path):
    """The code -> name entries of a file laid out as iso3166.tab."""
    names = {}
    with open(path, encoding="utf-8") as file:
        for line in file:
            if line.startswith("#") or not line.strip():
                continue
            code, name = line.rstrip("\n").split("\t")
            names[code] = name
    return names


def ascii_letters(text):
    """The text with its accents dropped (Trois-Rivières -> Trois-Rivieres)."""
    return unicodedata.normalize("NFKD", text).encode("ascii", "ignore").decode("ascii")


# ---------------------------------------------------------------------------------------
# Decisions


class Decisions:
    def __init__(self, path):
        self.header = {}
        self.run1 = []
        self.codes = []  # (run, code, tag, name or "", reason)
        self.records = []  # (run, text, reason)
        self.areas = []  # dicts
        with open(path, encoding="utf-8") as file:
            for number, line in enumerate(file, 1):
                line = line.rstrip("\n")
                if not line.strip() or line.lstrip().startswith("#"):
                    continue
                fields = [field.strip() for field in line.split("|")]
                try:
                    self.add(fields)
                except (IndexError, ValueError) as error:
                    raise Fault("decisions.txt line %d: %s" % (number, error))

    def add(self, fields):
        kind = fields[0]
        if kind == "header":
            self.header[int(fields[1])] = fields[2]
        elif kind == "run1":
            self.run1.append(fields[1])
        elif kind == "code":
            self.codes.append((int(fields[1]), fields[2], fields[3], fields[4], fields[5]))
        elif kind == "record":
            self.records.append((int(fields[1]), fields[2], fields[3]))
        elif kind == "area":
            fixed = [text.strip() for text in fields[4].split(";") if text.strip()]
            self.areas.append({"code": fields[1], "cities": int(fields[2]), "state": fields[3],
                               "fixed": fixed, "reason": fields[5]})
        else:
            raise ValueError("unknown decision " + kind)


# ---------------------------------------------------------------------------------------
# Records


class Builder:
    def __init__(self, sources, decisions):
        self.places = load_places(sources)
        self.calling_codes = load_calling_codes(sources)
        self.country_names = load_country_names(sources)
        self.built_from = load_entries(ISO3166_BUILT_FROM)
        self.decisions = decisions
        self.provenance = []  # (record, what was done)

    def note(self, record, what):
        self.provenance.append((record, what))

    def country_record(self, code, tag, name, reason):
        if name:
            self.note(self.tagged(code + " " + name, tag), reason)
        else:
            regions = self.calling_codes.get(int(code))
            if not regions:
                raise Fault("code %s: the sources know no country; its name must be decided" % code)
            name = self.country_name(regions[0])
        return self.tagged(code + " " + name, tag)

    def country_name(self, region):
        """The country name of iso3166.tab, checked against the entry the data was made from."""
        name, built_from = self.country_names.get(region), self.built_from.get(region)
        if built_from is None:
            raise Fault("iso3166.tab: entry %s is read but is not in %s; add it there once its "
                        "name is checked" % (region, os.path.basename(ISO3166_BUILT_FROM)))
        if name != built_from:
            raise Fault("iso3166.tab of the downloaded tzdata changed entry %s: %r, the data was "
                        "made from %r; check the record and update %s"
                        % (region, name, built_from, os.path.basename(ISO3166_BUILT_FROM)))
        return name

    @staticmethod
    def tagged(text, tag):
        return text + " *" if tag == "*" else text

    def cities_of(self, code):
        """The places of an area code, the one with the most exchanges first."""
        counts = collections.Counter()
        for prefix, place in self.places.items():
            if prefix.startswith(code) and len(prefix) > len(code):
                counts[place] += 1
        # Where the source names the whole area code by its city, that city comes first.
        if code in self.places:
            counts[self.places[code]] += len(self.places)
        ranked = []
        for place, count in sorted(counts.items(), key=lambda item: (-item[1], item[0])):
            city, _, province = place.rpartition(", ")
            if not city:
                continue  # a region or state, not a place
            record = ascii_letters(city) + ", " + PROVINCES_OF_THE_TIME.get(province, province)
            if CITY_RECORD.fullmatch(record) and record not in ranked:
                ranked.append((record, place))
        return ranked

    def area_records(self, area):
        code = area["code"]
        if not any(prefix.startswith(code) for prefix in self.places) and area["state"] in ("", "state"):
            raise Fault("area code %s is unknown to the sources; its region must be named" % code)
        records = []
        for text in area["fixed"]:
            records.append(code + " " + text)
            self.note(code + " " + text, area["reason"])
        fixed_places = {text.rstrip(" *") for text in area["fixed"]}
        wanted = area["cities"] - sum(1 for text in area["fixed"] if "," in text)
        for record, place in self.cities_of(code):
            if wanted <= 0:
                break
            if record in fixed_places:
                continue
            records.append(code + " " + record)
            if record != place:
                self.note(code + " " + record, "written as " + repr(place) + " in the source; "
                          "ASCII letters and the province abbreviation of the time")
            wanted -= 1
        if wanted > 0:
            raise Fault("area code %s has too few places in the sources" % code)
        if area["state"]:
            state = self.places[code] if area["state"] == "state" else area["state"]
            records.append(code + " " + state)
            if state != self.places.get(code):
                self.note(code + " " + state, "the region's name: " + area["reason"])
        return records

    def build(self):
        d = self.decisions
        runs = {1: list(d.run1), 2: [], 3: [], 4: []}
        for record in d.run1:
            self.note(record, "a fixed row (its run of country codes)")
        for run, code, tag, name, reason in d.codes:
            runs[run].append(self.country_record(code, tag, name, reason))
        for run, text, reason in d.records:
            runs[run].append(text)
            self.note(text, reason)
        for area in d.areas:
            runs[4].extend(self.area_records(area))
        runs[4].sort(key=lambda record: record.encode("ascii"))
        return runs


def assemble(header, runs):
    """The stored elements 1 to 551 in order."""
    lines = [header[n] for n in (1, 2, 3, 4)] + [":Null"]
    lines += runs[1][:40] + [""] + runs[1][40:]
    lines += runs[2] + ["", "", ""] + runs[3] + ["", "", ""] + runs[4]
    lines += [":Null", "#End_Of_Data#"]
    return lines


# ---------------------------------------------------------------------------------------
# The numbers the file must meet


def code_of(record):
    return record.split(" ", 1)[0]


def place_of(record):
    return record.split(" ", 1)[1].removesuffix(" *")


def check(lines, runs):
    faults = []
    element = lambda n: lines[n - 1]  # noqa: E731
    expect(faults, "stored lines", len(lines), 551)
    for n in (46, 74, 75, 76, 95, 96, 97):
        expect(faults, "line %d" % n, element(n), "")
    expect(faults, "line 5", element(5), ":Null")
    expect(faults, "line 550", element(550), ":Null")
    expect(faults, "line 551", element(551), "#End_Of_Data#")
    for n in (1, 2, 3, 4):
        if not element(n).startswith("#"):
            faults.append("line %d is not a comment" % n)

    records = [line for n, line in enumerate(lines, 1) if 6 <= n <= 549 and line]
    expect(faults, "records", len(records), 537)
    blocks = [[line for line in lines[k * 200:(k + 1) * 200] if line and not line.startswith(("#", ":"))]
              for k in range(3)]
    expect(faults, "records per filler", [len(block) for block in blocks], [188, 200, 149])

    for record in records:
        code, _, place = record.partition(" ")
        body = place.removesuffix(" *")
        if not re.fullmatch(r"[0-9]{1,7}", code):
            faults.append("code of %r" % record)
        if not PLACE_TEXT.fullmatch(body) or "*" in body:
            faults.append("place text of %r" % record)

    expect(faults, "run sizes", [len(runs[k]) for k in (1, 2, 3, 4)], [44, 23, 18, 452])
    check_order(faults, runs)

    codes = collections.Counter(code_of(record) for record in records)
    expect(faults, "distinct codes", len(codes), 323)
    expect(faults, "codes with more than one record", sum(1 for n in codes.values() if n > 1), 131)
    most = max(codes.values())
    expect(faults, "codes with the most records",
           (most, sorted(code for code, n in codes.items() if n == most)), (6, ["1305", "1719"]))
    lengths = collections.Counter(len(code_of(record)) for record in records)
    expect(faults, "code lengths", dict(sorted(lengths.items())), {1: 5, 2: 83, 3: 107, 4: 338, 5: 3, 7: 1})

    tagged = [record for record in records if record.endswith(" *")]
    expect(faults, "tagged records", len(tagged), 46)
    expect(faults, "tagged in run 1", [r for r in runs[1] if r.endswith(" *")],
           ["1 Canada *", "20 Egypt *", "27 South Africa *"])
    expect(faults, "untagged in run 2", [r for r in runs[2] if not r.endswith(" *")],
           ["213 Algeria", "244 Angola", "247 Ascension Island", "297 Aruba"])
    expect(faults, "untagged in run 3", [r for r in runs[3] if not r.endswith(" *")], [])
    expect(faults, "tagged in run 4", [n for n in range(98, 550) if element(n).endswith(" *")],
           list(range(98, 104)))
    expect(faults, "codes of the tagged run-4 records", sorted({code_of(element(n)) for n in range(98, 104)}),
           ["1201", "1202", "1203", "1204", "1205"])

    dashes = [record for record in records if place_of(record) == "-"]
    expect(faults, "records with the place -", [code_of(r) for r in dashes],
           "35 37 40 50 51 52 53 56 57 58 59 60 62 80 83".split())
    for code in "35 50 59 80 83".split():
        expect(faults, "records of code " + code, codes[code], 1)
    run4_codes = {code_of(record) for record in runs[4]}
    for code in "37 40 51 52 53 56 57 58 60 62".split():
        if code not in run4_codes:
            faults.append("code %s has no named record in run 4" % code)
    for code in "1 2 3 20 27".split():
        if code in run4_codes:
            faults.append("code %s stands in run 4" % code)

    twice = sorted((set(runs[1]) & set(runs[4])), key=lambda record: int(code_of(record)))
    expect(faults, "records the same in runs 1 and 4", twice,
           ["31 Netherlands", "33 France", "34 Spain", "36 Hungary", "39 Italy", "41 Switzerland", "43 Austria",
            "45 Denmark", "46 Sweden", "47 Norway", "48 Poland", "49 West Germany", "54 Argentina", "55 Brazil",
            "61 Australia", "81 Japan"])
    for record in ("32 Belgium", "38 Yugoslavia", "42 Czechoslovakia", "44 United Kingdom", "82 South Korea"):
        if record not in runs[4]:
            faults.append("run 4 lacks " + record)

    area = [line for n, line in enumerate(lines, 1) if 98 <= n <= 432 and len(code_of(line)) == 4]
    expect(faults, "area-code records at lines 98-432", len(area), 333)
    expect(faults, "area codes with a place and a state or province",
           sum(1 for record in area if re.search(r", [A-Z]{2}( \*)?$", record)), 303)
    expect(faults, "codes 183 and 184 at lines 98-432",
           sorted(code_of(element(n)) for n in range(98, 433) if len(code_of(element(n))) == 3), ["183", "184"])
    expect(faults, "first and last of lines 98-432", (element(98), element(432)),
           ("1201 Ashbury Park, NJ *", "1970 Vail, CO"))
    expect(faults, "first and last of lines 433-549", (element(433), element(549)), ("2978 Aruba", "98 Iran"))
    check_fixed_rows(faults, lines)
    return faults


def check_order(faults, runs):
    run1_key = lambda r: (int(code_of(r)), place_of(r).encode("ascii"))  # noqa: E731
    if runs[1] != sorted(runs[1], key=run1_key):
        faults.append("run 1 is not in numeric order of its codes")
    for run in (2, 3):
        codes = [int(code_of(record)) for record in runs[run]]
        if run == 2:
            codes, last = codes[:-1], codes[-1]
            expect(faults, "last of run 2", last, 297)
        if codes != sorted(set(codes)):
            faults.append("run %d is not ascending" % run)
    expect(faults, "codes of run 2", (int(code_of(runs[2][0])), int(code_of(runs[2][-2]))), (212, 247))
    expect(faults, "codes of run 3", (int(code_of(runs[3][0])), int(code_of(runs[3][-1]))), (248, 268))
    as_bytes = [record.encode("ascii") for record in runs[4]]
    if as_bytes != sorted(set(as_bytes)):
        faults.append("run 4 is not in ascending character order")


# Fixed rows at their own lines, and fixed rows that stand beside each other.
FIXED_AT = {
    6: "1 Canada *", 7: "1 USA", 98: "1201 Ashbury Park, NJ *", 200: "1407 West Palm Beach, FL",
    201: "1408 San Jose, CA", 400: "1910 Fayetteville, NC", 401: "1910 Greensboro, NC", 549: "98 Iran",
}
NEIGHBOURS = [
    ("1819 Sherbrooke, PQ", "183 USA/Canada (Undersea cable)", "184 USA/Canada (Satellite)", "1860 Hartford, CT"),
    ("2978 Aruba", "298 Faroe Islands"),
    ("299 Greenland", "30 Greece"),
    ("33 France", "33628 Andorra", "3393 Monaco", "34 Spain"),
    ("689 French Polynesia", "7 USSR", "81 Japan"),
    ("1305 Miami Beach, FL", "1305 Miami, FL"),
]
FIXED_ROWS = [
    "2 Canada", "3 South America", "7 USSR", "35191 Madeira", "39541 San Marino", "3966982 Vatican City",
    "3519 Azores", "4175 Lichtenstein", "6723 Norfolk Island", "871 Inmarsat Atlantic Ocean",
    "872 Inmarsat Pacific Ocean", "873 Inmarsat Indian Ocean", "1906 Sault Ste. Marie, MI", "1612 St.Paul, MN",
    "508 St.Pierre and Miquelon", "1910 Winston-Salem, NC", "1416 Toronto, ON", "1201 Newark, NJ *",
    "1207 Maine", "1809 Caribbean", "33 France", "20 Egypt *", "35 -", "297 Aruba", "1970 Vail, CO",
    "44 United Kingdom (England, Scotland, Wales, Ireland)", "44 U.K.",
]


def check_fixed_rows(faults, lines):
    for n, text in FIXED_AT.items():
        expect(faults, "line %d" % n, lines[n - 1], text)
    for text in FIXED_ROWS:
        if text not in lines:
            faults.append("the data lacks %r" % text)
    for group in NEIGHBOURS:
        if group[0] in lines:
            at = len(lines) - 1 - lines[::-1].index(group[0])
            expect(faults, "records after %r" % group[0], tuple(lines[at:at + len(group)]), group)
    brackets = [line for line in lines if "(" in line]
    expect(faults, "records with brackets", brackets,
           ["44 United Kingdom (England, Scotland, Wales, Ireland)", "183 USA/Canada (Undersea cable)",
            "184 USA/Canada (Satellite)"])


# ---------------------------------------------------------------------------------------


PROVENANCE_INTRODUCTION = """Written by tools/international_dialling/build.py; do not edit by hand.
Every other record is a country calling code with its country as
python3-phonenumbers and tzdata's iso3166.tab give them, or a North American
area code with one of its places as python3-phonenumbers' geocoding data names it.
A fixed row is one the file holds exactly as it stands, some at their own line or
beside their neighbours; one kept as written keeps a spelling that the sources do not."""


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    add_sources_argument(parser, "international_dialling")
    parser.add_argument("--output", default=os.path.join(REPO, "default_data", "international_dialling_codes.lines"))
    parser.add_argument("--provenance",
                        default=os.path.join(REPO, "default_data", "international_dialling_codes_provenance.md"))
    arguments = parser.parse_args()
    try:
        decisions = Decisions(os.path.join(HERE, "decisions.txt"))
        builder = Builder(os.path.join(arguments.sources, "unpacked"), decisions)
        runs = builder.build()
        lines = assemble(decisions.header, runs)
        faults = check(lines, runs)
    except Fault as fault:
        print("build.py: " + str(fault), file=sys.stderr)
        return 1
    status = write_when_sound(faults, lines, arguments.output)
    if status == 0:
        write_provenance(arguments.provenance, "International dialling codes: records not taken unchanged from a source",
                         PROVENANCE_INTRODUCTION, builder.provenance)
    return status


if __name__ == "__main__":
    sys.exit(main())
