#!/usr/bin/env python3
"""Builds default_data/radio_call_signs.lines, the default "CallSigns.dat".

Reads itu_series.txt beside this script (the international call-sign series and their
holders, written from the ITU allocation table of the first half of 1984) and
decisions.txt (the prefixes of parts of countries, the aircraft marks and the German
Democratic Republic's series that the data adds, the series it leaves out, the names it
writes differently, and the records that stand out of order). It expands the series into one record per prefix,
applies the decisions, sorts the records, checks every number the file must meet, and
writes the file only when all of them hold. With --cross-check it also compares the
prefixes with today's country file of Debian's hamradio-files (cty.dat, which fetch.sh
downloads into the sources folder DIR; or the file named) and prints where the two differ.
Running it again gives the same bytes.

    python3 tools/radio_call_signs/build.py [--sources DIR] [--output FILE] [--provenance FILE]
                                            [--cross-check [CTY.DAT]]
"""
import argparse
import collections
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.dirname(HERE))
from data_lines import Fault, add_sources_argument, expect, write_provenance, write_when_sound  # noqa: E402
NAME = re.compile(r"[A-Za-z:/,.&()-]+( [A-Za-z:/,.&()-]+)*")
PREFIX = re.compile(r"[A-Z0-9]{1,6}")
CTY_DAT = "unpacked/usr/share/hamradio-files/cty.dat"


def meaningful_lines(path):
    with open(path, encoding="ascii") as file:
        for number, line in enumerate(file, 1):
            line = line.rstrip("\n")
            if line.strip() and not line.lstrip().startswith("#"):
                yield number, line


def expand(series):
    """AA-AL -> AA, AB, ... AL; one prefix stays itself."""
    first, _, last = series.partition("-")
    if not last:
        return [first]
    if len(first) != len(last) or first[:-1] != last[:-1] or first[-1] > last[-1]:
        raise Fault("series %s is not a range over its last character" % series)
    alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    start, end = alphabet.index(first[-1]), alphabet.index(last[-1])
    return [first[:-1] + alphabet[i] for i in range(start, end + 1)]


def read_series(path):
    records = []
    for number, line in meaningful_lines(path):
        series, _, holder = line.partition(" ")
        for prefix in expand(series):
            records.append(prefix + " " + holder)
    return records


class Decisions:
    """drop | PREFIX | reason
    name | PREFIX | new name | reason
    add  | PREFIX Name | reason
    after | RECORD | RECORD it follows | reason"""

    def __init__(self, path):
        self.header = {}
        self.drops = {}
        self.names = {}
        self.adds = []
        self.moves = []
        for number, line in meaningful_lines(path):
            fields = [field.strip() for field in line.split("|")]
            kind = fields[0]
            if kind == "header":
                self.header[int(fields[1])] = fields[2]
            elif kind == "drop":
                self.drops[fields[1]] = fields[2]
            elif kind == "name":
                self.names[fields[1]] = (fields[2], fields[3])
            elif kind == "add":
                self.adds.append((fields[1], fields[2]))
            elif kind == "after":
                self.moves.append((fields[1], fields[2], fields[3]))
            else:
                raise Fault("decisions.txt line %d: unknown decision %s" % (number, kind))


def build(series, decisions):
    provenance = []
    records = []
    used = set()
    for record in series:
        prefix, name = record.split(" ", 1)
        if prefix in decisions.drops:
            used.add(prefix)
            continue
        if prefix in decisions.names:
            used.add(prefix)
            name, reason = decisions.names[prefix]
            provenance.append((prefix + " " + name, "the series' record renamed: " + reason))
        records.append(prefix + " " + name)
    unused = (set(decisions.drops) | set(decisions.names)) - used
    if unused:
        raise Fault("decisions name series that itu_series.txt lacks: " + " ".join(sorted(unused)))
    for record, reason in decisions.adds:
        records.append(record)
        provenance.append((record, "added: " + reason))
    records.sort(key=lambda record: record.encode("ascii"))
    for record, follows, reason in decisions.moves:
        if record not in records or follows not in records:
            raise Fault("a record to move is missing: %r after %r" % (record, follows))
        records.remove(record)
        records.insert(records.index(follows) + 1, record)
        provenance.append((record, "out of order: " + reason))
    return records, provenance


def assemble(header, records):
    return [header[n] for n in range(1, 9)] + [":Null"] + records + ["#End_Of_Data#"]


# ---------------------------------------------------------------------------------------
# The numbers the file must meet


def shape_of(prefix):
    return "".join("D" if c.isdigit() else "L" for c in prefix)


FIXED_ROWS = [
    "3A Monaco", "4Y ICAO", "EA8 Spain: Canary Islands", "4O Yugoslavia", "HB0 Liechtenstein",
    "OH0 Finland: Aaland Island", "7O Yemen (PDR), Socotra Island", "UN1 USSR: RSFSR (Finno-karelia)",
    "ZC4 Great Britain: Cyprus (UK Bases)", "FR8 France: Europa/Glorieuses/Reunion", "W3 USA: Pensylvania & DC",
    "4U1ITU ITU, Geneva", "3B Mauritius", "3B6 Chagos Island", "3B7 Agalega and St.Brandon", "3B9 Rodriguezs",
    "CC Chile", "CCCP USSR (Aircraft)", "CD Chile", "W0 USA: Colorado/Iowa/Kansas/Minnesota",
    "W0 USA: Missouri/Nebraska", "W0 USA: North Dakota/South Dakota", "2 Great Britain", "B China",
    "D West Germany", "F France", "G Great Britain: England", "I Italy", "J Japan", "K USA", "M Great Britain",
    "N USA", "R USSR", "U USSR", "W USA", "Z Zimbabwe (Aircraft)", "VPLKA St.Kitts Nevis (Aircraft)",
    "VPLLZ St.Kitts Nevis (Aircraft)", "VPLMA Montserrat (Aircraft)", "VPLUZ Montserrat (Aircraft)",
    "VPLVA Virgin Island (Aircraft)", "VPLZZ Virgin Island (Aircraft)", "RPDL Lao (Aircraft)",
    "HB Switzerland, Liechtenstein", "HE Switzerland, Liechtenstein", "XU Kampuchea (Khmer, Cambodia)",
    "T31 Northern Line/Line Islands", "T32 Phoenix Island", "VE1 Canadian Maritime Provinces",
    "CE9 Chilean Antartica", "OR4 Belgian Antartica", "8J1 Japanese Antarctica", "ZL5 New Zealand Antartica",
    "XT Volta", "XT2 Upper Volta", "4U United Nations", "DQ Fiji (Aircraft)",
]
AT_LINE = {
    10: "1S Spratly Island", 20: "3D2 Fiji", 21: "3D2 Fiji", 200: "9R Zaire", 201: "9S Zaire",
    208: "9Z Trinidad and Tobago", 209: "A2 Botswana", 400: "HN Iraq", 401: "HO Panama", 600: "SB Sweden",
    601: "SC Sweden", 800: "WH3 USA: Johnston Island", 801: "WH4 USA: Midway", 924: "ZZ Brazil",
    361: "FR8 France: Europa/Glorieuses/Reunion", 362: "FO8 France: Tromelin/Juen de Nova Islands",
    363: "FS7 France: St.Martin", 719: "VK9 Australia: Papua New Guinea", 720: "VK9 Australia: Admiralty Island",
    743: "VP8 Great Britain: Falkland Islands", 744: "VP8 Great Britain: South Georgia",
    745: "VP8 Great Britain: South Orkney", 746: "VP8 Great Britain: South Sandwich",
    747: "VP8 Great Britain: South Shetland", 748: "VP8 Great Britain: Graham Land",
}


def check(lines):
    faults = []
    expect(faults, "stored lines", len(lines), 925)
    expect(faults, "line 9", lines[8], ":Null")
    expect(faults, "line 7", lines[6], "# This file was restored on; 12/06/2005 - 11:36:58am")
    expect(faults, "line 925", lines[-1], "#End_Of_Data#")
    # The restored file: lines 1 to 924 with CR LF, the ":Null" line written empty.
    restored = sum(len("" if line == ":Null" else line) + 2 for line in lines[:-1])
    expect(faults, "bytes of the restored file", restored, 16595)
    records = lines[9:-1]
    expect(faults, "records", len(records), 915)
    per_block = [len([r for r in lines[k * 200:(k + 1) * 200] if not r.startswith(("#", ":"))]) for k in range(5)]
    expect(faults, "records per filler", per_block, [191, 200, 200, 200, 124])

    prefixes = [record.split(" ", 1)[0] for record in records]
    names = [record.split(" ", 1)[1] for record in records]
    for record, prefix, name in zip(records, prefixes, names):
        if not PREFIX.fullmatch(prefix) or not NAME.fullmatch(name) or "*" in record or "[" in record:
            faults.append("the form of %r" % record)
        if name.count(":") > 1:
            faults.append("two colons in %r" % record)
    counts = collections.Counter(prefixes)
    expect(faults, "distinct prefixes", len(counts), 890)
    expect(faults, "repeated prefixes", dict(sorted((p, n) for p, n in counts.items() if n > 1)),
           {"VP8": 6, "FO8": 4, "HK0": 3, "PY0": 3, "W0": 3, "W4": 3, "3D2": 2, "JD": 2, "VK0": 2, "VK9": 2,
            "W1": 2, "W3": 2, "W5": 2, "W7": 2, "ZD9": 2})
    twice = [r for r, n in collections.Counter(records).items() if n > 1]
    expect(faults, "records standing twice", twice, ["3D2 Fiji"])
    lengths = collections.Counter(len(p) for p in prefixes)
    expect(faults, "prefix lengths", dict(sorted(lengths.items())), {1: 14, 2: 636, 3: 235, 4: 23, 5: 6, 6: 1})
    shapes = collections.Counter(shape_of(p) for p in prefixes)
    expect(faults, "prefix shapes", dict(sorted(shapes.items())),
           dict(sorted({"LL": 368, "LLD": 198, "DL": 170, "LD": 98, "LLDL": 21, "DLL": 14, "DLD": 13, "L": 13,
                        "LLL": 7, "LLLLL": 6, "LDD": 3, "LLLL": 2, "D": 1, "DLDLLL": 1}.items())))
    expect(faults, "digit-first records", sum(1 for p in prefixes if p[0].isdigit()), 199)

    colon = [n for n in names if ":" in n]
    expect(faults, "names with a colon", len(colon), 265)
    before = collections.Counter(n.split(":")[0] for n in colon)
    most_often = {"USA": 92, "Great Britain": 32, "USSR": 27, "France": 18, "Canada": 18}
    expect(faults, "countries before the colon", {country: before[country] for country in most_often}, most_often)
    expect(faults, "other countries before the colon in 18 records or more",
           sorted(country for country, n in before.items() if n >= 18 and country not in most_often), [])
    qualifiers = collections.Counter(q for n in names for q in re.findall(r"\([^)]*\)", n))
    expect(faults, "bracketed qualifiers", dict(sorted(qualifiers.items())),
           dict(sorted({"(Aircraft)": 21, "(GDR)": 10, "(RK)": 4, "(Special)": 2, "(YAR)": 1, "(PDR)": 1,
                        "(Finno-karelia)": 1, "(Khmer, Cambodia)": 1, "(UK Bases)": 1}.items())))
    expect(faults, "names with brackets", sum(1 for n in names if "(" in n), 42)
    expect(faults, "names with /, & and a comma",
           [sum(1 for n in names if c in n) for c in "/&,"], [65, 6, 5])
    check_order(faults, lines)
    for record in FIXED_ROWS:
        if record not in records:
            faults.append("the data lacks %r" % record)
    for n, text in AT_LINE.items():
        expect(faults, "line %d" % n, lines[n - 1] if n <= len(lines) else None, text)
    fiji = [p for p, n in zip(prefixes, names) if n == "Fiji"]
    expect(faults, "records named Fiji", fiji, ["3D2", "3D2"] + ["3D" + c for c in "NOPQRSTUVWXYZ"])
    return faults


# The records of another time than the first half of 1984: each stands only with a reason that
# says so in the provenance (the fixed rows of an older time, and the records a count forces).
OF_ANOTHER_TIME = {
    "VK9 Australia: Papua New Guinea", "VK9 Australia: Admiralty Island", "OR4 Belgian Antartica",
    "BS7H China: Scarborough Reef", "BV9P Taiwan: Pratas Island", "KH7K USA: Kure Island",
    "VK9C Australia: Cocos/Keeling Islands", "VP3 British Guiana", "VP6 Barbados", "VP7 Bahamas",
    "DM Germany (GDR)", "DT Germany (GDR)", "CY Canada: Sable Island/St.Paul Island", "CY0 Canada: Sable Island",
    "CY9 Canada: St.Paul Island", "VE9 Canada: New Brunswick",
}
SAYS_ANOTHER_TIME = ("made to fit", "older than the data", "of an older time")
# Prefixes that were gone by 1984 or came after it (their records of 1984 stand instead: VK9H,
# VK9Z, KP1-KP5, KH1-KH9, KC6, KX6, P2, 8P, C6, 8R, V3, Y2-Y9 beside the declared DM and DT,
# and St. Paul Island's VY0 of 1976 where Prince Edward Island's later VY2 stood).
NOT_OF_THE_TIME = [
    "VK9L", "VK9M", "3Y0", "KR6", "KS4", "KZ5", "KG6", "KJ6", "KM6", "KP6", "KS6", "KV4", "KW6", "VR3", "VP4", "VP1",
    "VP2A", "VP2D", "VP2G", "VP2L", "VP2S", "VQ1", "VS9", "V5", "V6", "V7", "P4", "MD", "FR5", "FG5", "FM5",
    "VY2",
]


def check_era(faults, records, provenance):
    """Every record of another time is declared as one, and no prefix of another time stands."""
    reasons = collections.defaultdict(list)
    for record, reason in provenance:
        reasons[record].append(reason)
    for record in sorted(OF_ANOTHER_TIME):
        if record not in records:
            faults.append("the data lacks the declared record of another time %r" % record)
        elif not any(phrase in reason for reason in reasons[record] for phrase in SAYS_ANOTHER_TIME):
            faults.append("%r is of another time and its reason does not say so" % record)
    for record, reason in provenance:
        if record not in OF_ANOTHER_TIME and any(phrase in reason for phrase in SAYS_ANOTHER_TIME):
            faults.append("%r is declared of another time but is not listed as one" % record)
    prefixes = {record.split(" ", 1)[0] for record in records}
    for prefix in NOT_OF_THE_TIME:
        if prefix in prefixes:
            faults.append("the prefix %s is not of the first half of 1984" % prefix)


def check_order(faults, lines):
    """Ascending as whole lines, but for the three places the data keeps out of order."""
    breaks = {362, 720, 748}
    if len(lines) != 925:
        return  # the places of the breaks hold only in a file of the right length
    for n in range(11, 925):
        earlier, record = lines[n - 2], lines[n - 1]
        if n - 1 in breaks:
            continue  # the line after a break compares with the record before the break
        ascending = earlier.encode("ascii") <= record.encode("ascii")
        if n in breaks:
            if ascending:
                faults.append("line %d was to stand out of order" % n)
        elif not ascending:
            faults.append("line %d %r is out of order" % (n, record))
    for n in breaks:
        if lines[n - 3].encode("ascii") > lines[n].encode("ascii"):
            faults.append("the records around line %d are out of order" % n)


# ---------------------------------------------------------------------------------------


def cross_check(path, records):
    """Prints the records whose prefix today's country file gives to a country of another name."""
    holders = {}
    with open(path, encoding="latin-1") as file:
        country = None
        for line in file:
            if not line.startswith(" "):
                country = line.split(":")[0].strip()
                continue
            for alias in line.strip().rstrip(";").split(","):
                if alias and not alias.startswith("="):
                    holders.setdefault(re.sub(r"[(\[{<~].*", "", alias), country)
    same = different = unknown = 0
    for record in records:
        prefix, name = record.split(" ", 1)
        today = holders.get(prefix)
        if today is None:
            unknown += 1
        elif today.split()[0] in name:
            same += 1
        else:
            different += 1
            print("  %-44s today: %s" % (record, today))
    print("cross-check: %d agree, %d differ (listed above), %d not in the country file" % (same, different, unknown))


PROVENANCE_INTRODUCTION = """Written by tools/radio_call_signs/build.py; do not edit by hand. Every other record
is one series of tools/radio_call_signs/itu_series.txt, the international call-sign
series and their holders in the first half of 1984. A fixed row is one the file holds
exactly as it stands; one kept as written keeps a name or spelling the table does not.

The data is of the first half of 1984, the time its own fixed rows are of: Upper Volta
(XT2, renamed Burkina Faso in August 1984), Kampuchea, Zimbabwe's aircraft mark (from
1980), Kiribati's T31 and T32 (from 1979), France's overseas prefixes FO8, FR8 and FS7
(before the French reform of January 1985), the Soviet Union, Yugoslavia and the two
Yemens. Three fixed rows are of an older time, and say so below: VK9 for Papua New Guinea
and the Admiralty Islands (before 1975) and OR4 (Belgium's Antarctic base, 1958-1967).
Thirteen records of another time stand where a count leaves no record of 1984, and say
"made to fit" or "older than the data" below:
- BS7H and BV9P (prefixes of the mid-1990s), KH7K (Kure's prefix of the 1990s) and VK9C
  (Cocos-Keeling's from 1992): 21 prefixes have the shape letter, letter, digit, letter,
  and the data's prefixes of 1984 of that shape are 17;
- VK9C again, VP3, VP6 and VP7 (colonial prefixes of before 1973): the fixed rows "VK9
  Australia: Admiralty Island" and the first VP8 leave 22 records between them, and the
  data's prefixes of 1984 that sort there are 18;
- DM and DT, the German Democratic Republic's amateur prefixes of 1952 to 1979: "(GDR)"
  stands ten times, and the GDR's series of 1984 are the eight Y2 to Y9;
- CY, CY0 and CY9 (Sable and St. Paul Islands' prefixes of the 1990s) and VE9 (New
  Brunswick's, split from VE1 after the data's time as far as found): Canada stands before
  the colon in 18 records, and the data's Canadian parts of 1984 are 14, none of which
  sorts where these four stand (Sable's VX9 of 1976 would sort where every place is taken).
build.py checks that each of these says so, and that none of a list of prefixes gone by
1984 or come after it stands."""


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=os.path.join(REPO, "default_data", "radio_call_signs.lines"))
    parser.add_argument("--provenance", default=os.path.join(REPO, "default_data", "radio_call_signs_provenance.md"))
    add_sources_argument(parser, "radio_call_signs")
    parser.add_argument("--cross-check", metavar="CTY.DAT", nargs="?", const="",
                        help="compare with today's country file (default: the one in the sources folder)")
    arguments = parser.parse_args()
    if arguments.cross_check == "":
        arguments.cross_check = os.path.join(arguments.sources, CTY_DAT)
    if arguments.cross_check is not None and not os.path.isfile(arguments.cross_check):
        print("build.py: missing %s: run tools/radio_call_signs/fetch.sh first" % arguments.cross_check, file=sys.stderr)
        return 1
    try:
        decisions = Decisions(os.path.join(HERE, "decisions.txt"))
        records, provenance = build(read_series(os.path.join(HERE, "itu_series.txt")), decisions)
        lines = assemble(decisions.header, records)
        faults = check(lines)
        check_era(faults, records, provenance)
    except Fault as fault:
        print("build.py: " + str(fault), file=sys.stderr)
        return 1
    if arguments.cross_check is not None:
        cross_check(arguments.cross_check, records)
    status = write_when_sound(faults, lines, arguments.output)
    if status == 0:
        write_provenance(arguments.provenance, "Radio call signs: records not taken unchanged from the series table",
                         PROVENANCE_INTRODUCTION, provenance)
    return status


if __name__ == "__main__":
    sys.exit(main())
