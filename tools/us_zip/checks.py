"""Proves the targets on the lines written: every statement of targets.txt and the rules
that hold for every record. Returns the list of failures; an empty list means all hold."""
import re
from collections import Counter

from targets import RECORD, parse_record, states_by_element

NAME_CHARACTERS = re.compile(r"^[A-Za-z/'.,*]+([ -]+[A-Za-z/'.,*]+)*$")


class Lines:
    """The written elements, with the records of a range at hand."""

    def __init__(self, elements):
        self.elements = elements            # element -> text

    def records(self, first, last):
        return [(e, parse_record(self.elements[e])) for e in range(first, last + 1)
                if RECORD.match(self.elements.get(e, ""))]

    def names(self, first, last):
        return [record.name for _, record in self.records(first, last)]


def check_all(targets, elements):
    lines = Lines(elements)
    failures = []
    last = targets.last_element()
    failures += check_headers(targets, elements)
    failures += check_records(targets, lines)
    failures += check_blocks(targets, lines)
    failures += check_runs(targets, lines)
    failures += check_anchors(targets, elements)
    failures += check_floating(targets, lines, last)
    failures += check_absent(targets, lines, last)
    for check in targets.checks:
        failures += [f"{check.text}: {failure}" for failure in CHECKS[check.kind](lines, check)]
    return failures


def check_headers(targets, elements):
    return [f"element {e}: {elements.get(e)!r}, expected {text!r}"
            for e, text in targets.headers.items() if elements.get(e) != text]


def check_records(targets, lines):
    """Every element of the fitted blocks but the headers is a record of the plain form (but
    for the records stated to depart from it), in strictly ascending ZIP order."""
    failures = []
    previous = None
    for element in targets.described():
        if element in targets.headers:
            continue
        text = lines.elements.get(element, "")
        if not RECORD.match(text) or not all(" " <= c <= "~" for c in text):
            failures.append(f"element {element}: not a record: {text!r}")
            continue
        record = parse_record(text)
        in_form = 3 <= len(record.name) <= 25 and NAME_CHARACTERS.match(record.name) and "  " not in record.name
        if not in_form and element not in targets.departing:
            failures.append(f"element {element}: place name out of form: {text!r}")
        if previous and record.zip <= previous:
            failures.append(f"element {element}: ZIP {record.zip} after {previous}")
        previous = record.zip
    return failures


def check_blocks(targets, lines):
    failures = []
    for k, (first, last, counts) in sorted(targets.blocks.items()):
        low, high = targets.block_range(k)
        for element, expected in zip(targets.block_ends(k), (first, last)):
            if not matches_line(lines.elements.get(element, ""), expected):
                failures.append(f"block {k}: element {element} {lines.elements.get(element)!r}, expected {expected!r}")
        actual = state_sequence(lines.records(low, high))
        if actual != counts:
            failures.append(f"block {k}: states {actual}, expected {counts}")
    return failures


def matches_line(text, expected):
    if expected.startswith("ZIP "):
        code, state = expected[4:].split(", ")
        return RECORD.match(text) is not None and text.startswith(code + " ") and text.endswith(", " + state)
    return text == expected


def state_sequence(records):
    sequence = []
    for _, record in records:
        if sequence and sequence[-1][0] == record.state:
            sequence[-1] = (record.state, sequence[-1][1] + 1)
        else:
            sequence.append((record.state, 1))
    return sequence


def check_runs(targets, lines):
    failures = []
    states = states_by_element(targets)
    for state, first, last, low, high, count in targets.runs:
        records = lines.records(first, last)
        if len(records) != count or last - first + 1 != count:
            failures.append(f"run {state} {first}-{last}: {len(records)} records, expected {count}")
        if any(record.state != state for _, record in records):
            failures.append(f"run {state} {first}-{last}: another state inside")
        if records and (records[0][1].zip, records[-1][1].zip) != (low, high):
            failures.append(f"run {state} {first}-{last}: ZIP codes {records[0][1].zip}-{records[-1][1].zip}")
        for outside in (first - 1, last + 1):
            if states.get(outside) == state:
                failures.append(f"run {state} {first}-{last}: goes on at element {outside}")
    return failures


def check_anchors(targets, elements):
    failures = []
    for anchor in targets.anchors:
        text = elements.get(anchor.element, "")
        match = RECORD.match(text)
        if not match or match.group(1) != anchor.zip or (anchor.state and match.group(3) != anchor.state):
            failures.append(f"element {anchor.element}: {text!r}, expected ZIP {anchor.zip} ({anchor.source})")
        elif anchor.name is not None and match.group(2) != anchor.name:
            failures.append(f"element {anchor.element}: {text!r}, expected the name {anchor.name!r}")
    return failures


def check_floating(targets, lines, last):
    present = {record.line() for _, record in lines.records(1, last)}
    return [f"{record.line()} is missing" for record in targets.floating if record.line() not in present]


def check_absent(targets, lines, last):
    return [f"{record.line()} lies in the absent range {low}-{high}"
            for low, high in targets.absent for _, record in lines.records(1, last)
            if low <= record.zip <= high]


# ---- the statements over a range ----

def names_check(lines, check):
    names = lines.names(check.first, check.last)
    what = check.args[0]
    if what == "distinct" and len(check.args) == 2:
        actual, expected = len(set(names)), int(check.args[1])
    elif what == "distinct":
        state, expected = check.args[1], int(check.args[2])
        actual = len({r.name for _, r in lines.records(check.first, check.last) if r.state == state})
    else:
        first_state, second_state, expected = check.args[1], check.args[2], int(check.args[3])
        records = [r for _, r in lines.records(check.first, check.last)]
        actual = len({r.name for r in records if r.state == first_state}
                     & {r.name for r in records if r.state == second_state})
    return [] if actual == expected else [f"{actual}, expected {expected}"]


def length_check(lines, check):
    lengths = [len(name) for name in lines.names(check.first, check.last)]
    expected = (int(check.args[0]), int(check.args[1]))
    return [] if (min(lengths), max(lengths)) == expected else [f"{min(lengths)}-{max(lengths)}"]


def extreme_check(pick):
    def check_extreme(lines, check):
        records = lines.records(check.first, check.last)
        extreme = pick(len(r.name) for _, r in records)
        actual = sorted(r.line() for _, r in records if len(r.name) == extreme)
        expected = sorted(check.args)
        return [] if actual == expected else [f"{actual}"]
    return check_extreme


def words_check(lines, check):
    counts = [len(name.split()) for name in lines.names(check.first, check.last)]
    expected = (int(check.args[0]), int(check.args[1]))
    return [] if (min(counts), max(counts)) == expected else [f"{min(counts)}-{max(counts)} words"]


def frequent_check(lines, check):
    threshold = int(check.args[0])
    counts = Counter(lines.names(check.first, check.last))
    actual = {name: n for name, n in counts.items() if n >= threshold}
    expected = {}
    for entry in check.args[1:]:
        name, _, number = entry.rpartition(" ")
        expected[name] = int(number)
    return [] if actual == expected else [f"{sorted(actual.items())}"]


def named_check(lines, check):
    name, state, expected = check.args[0], check.args[1], int(check.args[2])
    actual = sum(1 for _, r in lines.records(check.first, check.last) if r.name == name and r.state == state)
    return [] if actual == expected else [f"{actual}"]


def same_name_check(lines, check):
    others = [r.line() for _, r in lines.records(check.first, check.last) if r.name != check.args[0]]
    return [f"{others[:5]}"] if others else []


def name_run_check(lines, check):
    failures = same_name_check(lines, check)
    for element in (check.first - 1, check.last + 1):
        outside = lines.records(element, element)
        if outside and outside[0][1].name == check.args[0]:
            failures.append(f"element {element} has the name too")
    return failures


def count_check(lines, check):
    pattern, expected = re.compile(check.args[0]), int(check.args[1])
    actual = sum(1 for name in lines.names(check.first, check.last) if pattern.search(name))
    return [] if actual == expected else [f"{actual}"]


def only_matching(field):
    """Exactly the records listed have the field (place name or ZIP code) matching the pattern."""
    def check_only(lines, check):
        pattern = re.compile(check.args[0])
        expected = sorted(record for record in check.args[1:] if record)
        actual = sorted(r.line() for _, r in lines.records(check.first, check.last)
                        if pattern.search(getattr(r, field)))
        return [] if actual == expected else [f"{actual[:12]} ({len(actual)})"]
    return check_only


def widest_step_check(lines, check):
    records = lines.records(check.first, check.last)
    steps = [(int(b.zip) - int(a.zip), e) for (e, a), (_, b) in zip(records, records[1:])]
    widest = max(steps)[0]
    at = [e for step, e in steps if step == widest]
    return [] if at == [int(check.args[0])] else [f"widest {widest} at {at}"]


def hyphens_check(lines, check):
    actual = sum(name.count("-") for name in lines.names(check.first, check.last))
    return [] if actual == int(check.args[0]) else [f"{actual}"]


def hundreds_check(lines, check):
    """The records whose ZIP code ends in 00 are the first records of the places (name and
    state) that hold the given number of records or more, and there are that many of them."""
    minimum, expected_count = int(check.args[0]), int(check.args[1])
    records = lines.records(check.first, check.last)
    counts = Counter((r.name, r.state) for _, r in records)
    firsts = {}
    for _, record in records:
        firsts.setdefault((record.name, record.state), record.line())
    expected = sorted(firsts[place] for place, n in counts.items() if n >= minimum)
    actual = sorted(r.line() for _, r in records if r.zip.endswith("00"))
    if actual == expected and len(actual) == expected_count:
        return []
    return [f"ending in 00: {actual}; first of the places of {minimum} or more: {expected}"]


def stretches_check(lines, check):
    name, expected = check.args[0], int(check.args[1])
    names = lines.names(check.first, check.last)
    actual = sum(1 for i, n in enumerate(names) if n == name and (i == 0 or names[i - 1] != name))
    return [] if actual == expected else [f"{actual}"]


def ends_check(lines, check):
    pattern = re.compile(check.args[0])
    matching = [r.line() for _, r in lines.records(check.first, check.last) if pattern.search(r.name)]
    ends = [matching[0], matching[-1]] if matching else []
    return [] if ends == check.args[1:3] else [f"from {ends}"]


def first_check(lines, check):
    pattern = re.compile(check.args[0])
    matching = [r.line() for _, r in lines.records(check.first, check.last) if pattern.search(r.name)]
    return [] if matching[:1] == check.args[1:2] else [f"first {matching[:1]}"]


def code_places_check(lines, check):
    """N records have a code matching REGEX, each of a place with MIN records or more."""
    pattern, expected, least = re.compile(check.args[0]), int(check.args[1]), int(check.args[2])
    records = [r for _, r in lines.records(check.first, check.last)]
    counts = Counter((r.name, r.state) for r in records)
    matching = [r for r in records if pattern.search(r.zip)]
    failures = [] if len(matching) == expected else [f"{len(matching)} codes"]
    return failures + [f"{r.line()}: its place has {counts[(r.name, r.state)]} records"
                       for r in matching if counts[(r.name, r.state)] < least]


def opens_check(lines, check):
    """Each record whose code matches REGEX opens a stretch of N or more records of its place."""
    pattern, least = re.compile(check.args[0]), int(check.args[1])
    records = [r for _, r in lines.records(check.first, check.last)]
    failures = []
    for i, record in enumerate(records):
        if pattern.search(record.zip):
            stretch = records[i:i + least]
            if len(stretch) < least or any((r.name, r.state) != (record.name, record.state) for r in stretch):
                failures.append(f"{record.line()} opens no stretch of {least}")
    return failures


def next_same_check(lines, check):
    pattern = re.compile(check.args[0])
    records = lines.records(check.first, check.last + 1)
    return [f"{a.line()} is followed by {b.line()}" for (e, a), (_, b) in zip(records, records[1:])
            if e <= check.last and pattern.search(a.zip)
            and (int(b.zip) != int(a.zip) + 1 or (b.name, b.state) != (a.name, a.state))]


def places_check(lines, check):
    counts = Counter((r.name, r.state) for _, r in lines.records(check.first, check.last))
    what, expected = check.args[0], int(check.args[1])
    actual = {"distinct": len(counts),
              "single": sum(1 for n in counts.values() if n == 1),
              "repeated": sum(1 for n in counts.values() if n > 1)}[what]
    return [] if actual == expected else [f"{actual}, expected {expected}"]


def zips_check(lines, check):
    actual = [r.zip for _, r in lines.records(check.first, check.last)]
    return [] if actual == check.args[0] else [f"{actual}"]


CHECKS = {
    "names": names_check,
    "length": length_check,
    "shortest": extreme_check(min),
    "longest": extreme_check(max),
    "words": words_check,
    "frequent": frequent_check,
    "named": named_check,
    "same-name": same_name_check,
    "name-run": name_run_check,
    "count": count_check,
    "only": only_matching("name"),
    "widest-step": widest_step_check,
    "zips": zips_check,
    "hyphens": hyphens_check,
    "hundreds": hundreds_check,
    "stretches": stretches_check,
    "only-zip": only_matching("zip"),
    "ends": ends_check,
    "first": first_check,
    "code-places": code_places_check,
    "opens": opens_check,
    "next-same": next_same_check,
    "places": places_check,
}
