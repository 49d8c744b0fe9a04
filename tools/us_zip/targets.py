"""Reads targets.txt: what each element of the US ZIP-code lines must hold.

The statements are described at the top of targets.txt. This module only parses them into
plain values; fitting.py meets them and checks.py proves them on the lines written.
"""
import re
from dataclasses import dataclass, field

from statements import parse_file

BLOCK_SIZE = 200
# The field rules of a record: the code before the first space, the state code in the last
# two characters, the place name between (it may hold a comma, or nothing at all in the
# few records that depart from the usual form).
RECORD = re.compile(r"^(\d{5}) (.*), ([A-Z]{2})$")
ZIP_ONLY = re.compile(r"^ZIP (\d{5}), ([A-Z]{2})$")


@dataclass(frozen=True)
class Record:
    zip: str
    name: str
    state: str

    def line(self):
        return f"{self.zip} {self.name}, {self.state}"


def parse_record(text):
    """A record line split by the field rules: the code before the first space, the state
    code in the last two characters, the place name between (it may hold a comma)."""
    match = RECORD.match(text)
    if not match:
        raise ValueError(f"not a ZIP-code record: {text!r}")
    return Record(*match.groups())


@dataclass(frozen=True)
class Anchor:
    """What one element must hold: a ZIP code and state, and the place name if it is given."""
    element: int
    zip: str
    state: str
    name: str | None
    source: str


@dataclass
class Check:
    kind: str
    first: int
    last: int
    args: list
    text: str
    governs: bool = True   # the fitting leaves the names it counts to decisions.txt


@dataclass
class Targets:
    headers: dict = field(default_factory=dict)
    blocks: dict = field(default_factory=dict)        # k -> (first, last, [(state, n)])
    runs: list = field(default_factory=list)          # (state, e1, e2, z1, z2, n)
    anchors: list = field(default_factory=list)
    floating: list = field(default_factory=list)      # records placed by their ZIP code
    absent: list = field(default_factory=list)        # (z1, z2)
    checks: list = field(default_factory=list)
    departing: dict = field(default_factory=dict)     # element -> record out of the usual form

    line_count: int = 0

    def last_element(self):
        return max(self.block_range(k)[1] for k in self.blocks)

    def block_ends(self, k):
        """The elements of block k that its first and last lines name: the block's first and
        last elements, or its first and last records where a header stands there and the
        block table names a record."""
        first, last = self.block_range(k)
        records = [e for e in range(first, last + 1) if e not in self.headers]
        first_line, last_line, _ = self.blocks[k]
        return (first if self.headers.get(first) == first_line else records[0],
                last if self.headers.get(last) == last_line else records[-1])

    def described(self):
        """The elements of the blocks described, in order."""
        return [e for k in sorted(self.blocks) for e in range(self.block_range(k)[0], self.block_range(k)[1] + 1)]

    def described_ranges(self):
        """The elements of the blocks described, as stretches "1-13000, 26401-42159"."""
        ranges = []
        for k in sorted(self.blocks):
            first, last = self.block_range(k)
            if ranges and ranges[-1][1] == first - 1:
                ranges[-1][1] = last
            else:
                ranges.append([first, last])
        return ", ".join(f"{first}-{last}" for first, last in ranges)

    def block_range(self, k):
        """The elements of block k; the last block ends at the line count."""
        last = BLOCK_SIZE * k
        if self.line_count:
            last = min(last, self.line_count)
        return BLOCK_SIZE * (k - 1) + 1, last


def element_range(text):
    first, _, last = text.partition("-")
    return int(first), int(last or first)


def parse_counts(text):
    counts = []
    for part in text.split(","):
        state, number = part.split()
        counts.append((state, int(number)))
    return counts


def line_anchor(element, text, source):
    zip_only = ZIP_ONLY.match(text)
    if zip_only:
        return Anchor(element, zip_only.group(1), zip_only.group(2), None, source)
    record = parse_record(text)
    return Anchor(element, record.zip, record.state, record.name, source)


def read_targets(path):
    targets = Targets()
    parse_file(path, lambda text: parse_statement(targets, text))
    return targets


def parse_statement(targets, text):
    fields = text.removesuffix(" |").split(" | ")
    head = fields[0].split()
    if head[0] == "whole":
        parse_statement(targets, text.removeprefix("whole "))
        targets.checks[-1].governs = False
        return
    kind = head[0]
    if kind == "line-count":
        targets.line_count = int(head[1])
    elif kind == "header":
        targets.headers[int(head[1])] = fields[1]
    elif kind == "block":
        parse_block(targets, int(head[1]), fields[1], fields[2], parse_counts(fields[3]))
    elif kind == "run":
        state, elements, zips, count = head[1:]
        e1, e2 = element_range(elements)
        z1, _, z2 = zips.partition("-")
        targets.runs.append((state, e1, e2, z1, z2, int(count)))
        targets.anchors.append(Anchor(e1, z1, state, None, f"first of the {state} run"))
        targets.anchors.append(Anchor(e2, z2, state, None, f"last of the {state} run"))
    elif kind == "departs":
        element = int(head[1])
        targets.departing[element] = fields[1]
        targets.anchors.append(line_anchor(element, fields[1], "fixed row out of the usual form"))
    elif kind == "line":
        if head[1] == "?":
            targets.floating.append(parse_record(fields[1]))
        else:
            targets.anchors.append(line_anchor(int(head[1]), fields[1], "fixed row"))
    elif kind == "zips":
        e1, e2 = element_range(head[1])
        zips = expand_zips(fields[1])
        if len(zips) == e2 - e1 + 1:
            targets.anchors += [Anchor(e, code, "", None, "fixed ZIP code") for e, code in zip(range(e1, e2 + 1), zips)]
        targets.checks.append(Check(kind, e1, e2, [zips], text))
    elif kind == "absent":
        z1, _, z2 = head[1].partition("-")
        targets.absent.append((z1, z2))
    else:
        e1, e2 = element_range(head[1])
        targets.checks.append(Check(kind, e1, e2, head[2:] + fields[1:], text))


def parse_block(targets, k, first, last, counts):
    first_element, last_element = targets.block_range(k)
    size = last_element - first_element + 1
    if sum(n for _, n in counts) + len(headers_of_block(targets, k)) != size:
        raise ValueError(f"block {k} counts do not add up to {size}")
    targets.blocks[k] = (first, last, counts)
    for element, text, what in zip(targets.block_ends(k), (first, last), ("first", "last")):
        if element not in targets.headers:
            targets.anchors.append(line_anchor(element, text, f"{what} line of block {k}"))


def headers_of_block(targets, k):
    first, last = targets.block_range(k)
    return [e for e in targets.headers if first <= e <= last]


def expand_zips(text):
    zips = []
    for part in text.split():
        low, _, high = part.partition("-")
        zips.extend(f"{code:05d}" for code in range(int(low), int(high or low) + 1))
    return zips


def states_by_element(targets):
    """Each record element's state code, from the block table's counts in element order."""
    states = {}
    for k, (_, _, counts) in targets.blocks.items():
        first, last = targets.block_range(k)
        elements = [e for e in range(first, last + 1) if e not in targets.headers]
        sequence = [state for state, n in counts for _ in range(n)]
        states.update(zip(elements, sequence))
    return states
