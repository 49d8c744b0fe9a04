"""Meets the numbers of different place names that targets.txt gives for a range.

After the fitting, a range may hold more or fewer different names than it must:
- more: a source record whose name stands once in the range takes the other name that
  the 2011 list gives its code, where that is the name of a larger place of the range (a
  town with several codes, whose post office serves it);
- fewer: a made-to-fit record that repeats a neighbour's name takes instead the other name
  of a nearby code, a place of its own that the range does not name yet.
Candidates are taken evenly spread over the range. Names that a statement counts or lists
are left alone, and so are names that the range's records of another state share.
"""
from collections import Counter

from fitting import spread
from place_names import era_name
from targets import Record


def tune_distinct(fitter, fitted):
    checks = [c for c in fitter.targets.checks if c.kind == "names" and c.args[0] == "distinct"]
    # State-specific counts first; the count over all states then follows from them.
    for check in sorted(checks, key=lambda c: len(c.args) == 2):
        state = check.args[1] if len(check.args) == 3 else None
        expected = int(check.args[-1])
        elements = [e for e in range(check.first, check.last + 1)
                    if e in fitted.elements and (state is None or fitted.elements[e].state == state)]
        actual = len({fitted.elements[e].name for e in elements})
        if actual > expected:
            merge_names(fitter, fitted, check, elements, actual - expected)
        elif actual < expected:
            new_names(fitter, fitted, check, elements, expected - actual)


def other_state_names(fitted, check, elements):
    inside = set(elements)
    return {fitted.elements[e].name for e in range(check.first, check.last + 1)
            if e in fitted.elements and e not in inside}


def merge_names(fitter, fitted, check, elements, count):
    counts = Counter(fitted.elements[e].name for e in elements)
    all_counts = Counter(fitted.elements[e].name for e in range(check.first, check.last + 1) if e in fitted.elements)
    shared = other_state_names(fitted, check, elements)
    anchored = fitter.anchored()
    options = []
    for e in elements:
        record = fitted.elements[e]
        candidate = fitter.candidates.get(record.zip)
        if (fitted.notes.get(e) or e in anchored or not candidate or counts[record.name] != 1
                or record.name in shared):
            continue
        limit = fitter.frequency_limit(e)
        others = [other for other in candidate.other_names
                  if counts[other] >= 1 and not fitter.is_governed(other, e)
                  and (limit is None or all_counts[other] + 1 < limit)]
        if others and not fitter.is_governed(record.name, e):
            options.append((e, others[0]))
    if len(options) < count:
        raise SystemExit(f"{check.text}: {count} names too many, {len(options)} records can take a larger place's name")
    for e, other in spread(options, count):
        record = fitted.elements[e]
        fitted.elements[e] = Record(record.zip, other, record.state)
        fitted.notes[e] = [f"named {other}, the other name of this code in zipcodes 0.1.0 (a place "
                           f"of the range that serves \"{record.name}\"), as elements "
                           f"{check.first}-{check.last} hold {check.args[-1]} different place names"]


def new_names(fitter, fitted, check, elements, count):
    present = {fitted.elements[e].name for e in elements} | other_state_names(fitted, check, elements)
    fills = [e for e in elements if "another code of" in " ".join(fitted.notes.get(e, []))
             and not fitter.is_governed(fitted.elements[e].name, e)]
    order = [fills[(2 * i + 1) * len(fills) // (2 * count)] for i in range(count)] if fills else []
    order += [e for e in fills if e not in order]
    renamed = 0
    for e in order:
        if renamed == count:
            break
        found = nearest_other_name(fitter, fitted.elements[e], present, e)
        if not found:
            continue
        code, other = found
        present.add(other)
        fitter.other_names_used.add(other)
        renamed += 1
        record = fitted.elements[e]
        fitted.elements[e] = Record(record.zip, other, record.state)
        fitted.notes[e] = [f"made to fit: a ZIP code not in the sources, for {other}, a place that "
                           f"{code} {era_name(fitter.sources[code].name)} serves (other name in zipcodes 0.1.0)"]
    if renamed < count:
        raise SystemExit(f"{check.text}: {count} names too few, {renamed} made-to-fit records could take a new one")


def nearest_other_name(fitter, record, present, element):
    """The usable other name of the source code nearest to the record's, same state."""
    best = None
    for code, candidate in fitter.candidates.items():
        other = next((name for name in candidate.other_names
                      if name not in present and name not in fitter.other_names_used), None)
        if (candidate.made_to_fit or candidate.record.state != record.state or not other or other in present
                or fitter.is_governed(other, element)):
            continue
        distance = abs(int(code) - int(record.zip))
        if distance <= 50 and (best is None or distance < best[0]):
            best = (distance, code, other)
    return best[1:] if best else None
