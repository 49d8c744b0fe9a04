"""Meets the numbers of different place names that targets.txt gives for a range.

After the fitting, a range may hold more or fewer different names than it must:
- more: a source record whose name stands once in the range takes the other name that
  the 2011 list gives its code, where that is the name of a larger place of the range (a
  town with several codes, whose post office serves it);
- fewer: a made-to-fit record that repeats a neighbour's name takes instead the other name
  of a nearby code, a place of its own that the range does not name yet.
Candidates are taken evenly spread over the range. Names that a statement counts or lists
are left alone, and so are names that the range's records of another state share.

The numbers of places (a place name with its state code) of a range, and of those with one
record, are met the same way: a source record of a place with one record takes the other
name of its code where that is a place of the range, one with one record of its own (which
then has two) or one with several; or, where the range must hold more places, a source record
of a place with three records or more takes the other name of its code, a place the range
does not name yet.
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


def tune_places(fitter, fitted):
    """Meets the `places` statements of a range: distinct places D and places with several
    records R (D less the places of one record). Renamings that change them:
    - a single place takes the other name of its code, another single place: D-1, R+1;
    - a single place takes the other name of its code, a place with several records: D-1;
    - a record of a place with several records takes the other name of its code, a place
      the range does not name yet (or, for a record made to fit, that of a nearby code):
      D+1, and R-1 where the place had two records;
    - a record made to fit as the second code of a place takes the name of the nearest
      place of the same sectional centre (first three digits) with several records: R-1.
    The statements' own checks report what cannot be met."""
    wanted = {}
    for check in fitter.targets.checks:
        if check.kind == "places":
            wanted.setdefault((check.first, check.last), {})[check.args[0]] = int(check.args[1])
    for (first, last), numbers in sorted(wanted.items()):
        distinct, repeated = place_numbers(fitted, first, last)
        distinct_wanted = numbers.get("distinct", distinct)
        repeated_wanted = numbers.get("repeated", distinct_wanted - numbers["single"] if "single" in numbers
                                      else repeated)
        if repeated < repeated_wanted:
            rename_single_places(fitter, fitted, first, last, repeated_wanted - repeated, single_target=True)
        elif repeated > repeated_wanted:
            split = split_places(fitter, fitted, first, last,
                                 min(repeated - repeated_wanted, max(0, distinct_wanted - distinct)), sizes=(2,))
            regroup_second_codes(fitter, fitted, first, last, repeated - repeated_wanted - split)
        distinct, _ = place_numbers(fitted, first, last)
        if distinct > distinct_wanted:
            rename_single_places(fitter, fitted, first, last, distinct - distinct_wanted, single_target=False)
        elif distinct < distinct_wanted:
            split_places(fitter, fitted, first, last, distinct_wanted - distinct, sizes=range(3, 100000))


def place_counts(fitted, first, last):
    return Counter((fitted.elements[e].name, fitted.elements[e].state)
                   for e in range(first, last + 1) if e in fitted.elements)


def place_numbers(fitted, first, last):
    counts = place_counts(fitted, first, last)
    return len(counts), sum(1 for n in counts.values() if n > 1)


def renamable_records(fitter, fitted, first, last, counts, sizes):
    """The source records taken unchanged whose place has as many records as `sizes` allows,
    that no statement names and whose name no record of the range of another state has:
    (element, record, candidate)."""
    anchored = fitter.anchored()
    for e in range(first, last + 1):
        record = fitted.elements.get(e)
        candidate = fitter.candidates.get(record.zip) if record else None
        if (candidate and not fitted.notes.get(e) and e not in anchored
                and counts[(record.name, record.state)] in sizes and not fitter.is_governed(record.name, e)
                and not in_other_state(counts, record.name, record.state)):
            yield e, record, candidate


def in_other_state(counts, name, state):
    """Whether a record of the range of another state has this name: such names are counted
    as names both states share, and the renamings leave their number alone."""
    return any(n == name and s != state for n, s in counts)


def rename_single_places(fitter, fitted, first, last, count, single_target):
    counts = place_counts(fitted, first, last)
    options, targets_taken = [], set()
    for e, record, candidate in renamable_records(fitter, fitted, first, last, counts, (1,)):
        for other in candidate.other_names:
            n = counts[(other, record.state)]
            if (n == 1) == single_target and n >= 1 and not fitter.is_governed(other, e) \
                    and (other, record.state) not in targets_taken \
                    and not in_other_state(counts, other, record.state):
                options.append((e, other))
                if single_target:
                    targets_taken.add((other, record.state))
                    targets_taken.add((record.name, record.state))
                break
    for e, other in spread(options, min(count, len(options))):
        record = fitted.elements[e]
        fitted.elements[e] = Record(record.zip, other, record.state)
        fitted.notes[e] = [f"named {other}, the other name of this code in zipcodes 0.1.0 (a place of the "
                           f"range that serves \"{record.name}\"), as elements {first}-{last} hold "
                           f"the numbers of places they state"]


def split_places(fitter, fitted, first, last, count, sizes):
    """Records of places with as many records as `sizes` allows take another name of their
    code, a place the range does not name yet; records made to fit do so where too few
    source records can. Returns the number renamed."""
    if count <= 0:
        return 0
    counts = place_counts(fitted, first, last)
    options, names_taken = [], set()
    for e, record, candidate in list(renamable_records(fitter, fitted, first, last, counts, sizes)):
        if counts[(record.name, record.state)] not in sizes:
            continue
        other = next((name for name in candidate.other_names
                      if not counts[(name, record.state)] and name not in names_taken
                      and name not in fitter.other_names_used and not fitter.is_governed(name, e)
                      and not in_other_state(counts, name, record.state)), None)
        if other:
            options.append((e, other))
            names_taken.add(other)
            counts[(record.name, record.state)] -= 1
    chosen = spread(options, min(count, len(options)))
    for e, other in chosen:
        record = fitted.elements[e]
        fitted.elements[e] = Record(record.zip, other, record.state)
        fitted.notes[e] = [f"named {other}, the other name of this code in zipcodes 0.1.0 (a place that "
                           f"{record.name} serves), as elements {first}-{last} hold the numbers of places "
                           f"they state"]
    return len(chosen) + rename_second_codes(fitter, fitted, first, last, count - len(chosen), sizes)


def made_as_another_code(fitted, e):
    return "another code of" in " ".join(fitted.notes.get(e, []))


def rename_second_codes(fitter, fitted, first, last, count, sizes):
    """Records made to fit as another code of a place take instead the other name of a
    nearby code, a place of its own. Returns the number renamed."""
    if count <= 0:
        return 0
    counts = place_counts(fitted, first, last)
    present = {name for name, _ in counts}
    fills = [e for e in range(first, last + 1) if e in fitted.elements and made_as_another_code(fitted, e)
             and not fitter.is_governed(fitted.elements[e].name, e)]
    renamed = 0
    for e in spread(fills, min(len(fills), count * 2)) + fills:
        record = fitted.elements[e]
        if renamed == count or counts[(record.name, record.state)] not in sizes:
            continue
        found = nearest_other_name(fitter, record, present, e)
        if not found:
            continue
        code, other = found
        present.add(other)
        fitter.other_names_used.add(other)
        counts[(record.name, record.state)] -= 1
        renamed += 1
        fitted.elements[e] = Record(record.zip, other, record.state)
        fitted.notes[e] = [f"made to fit: a ZIP code not in the sources, for {other}, a place that "
                           f"{code} {era_name(fitter.sources[code].name)} serves (other name in zipcodes 0.1.0)"]
    return renamed


def regroup_second_codes(fitter, fitted, first, last, count):
    """Records made to fit as the second code of a place take instead the name of the
    nearest place of their sectional centre that has several records of its own."""
    if count <= 0:
        return
    counts = place_counts(fitted, first, last)
    records = [(e, fitted.elements[e]) for e in range(first, last + 1) if e in fitted.elements]
    options = []
    for e, record in records:
        if (not made_as_another_code(fitted, e) or counts[(record.name, record.state)] != 2
                or fitter.is_governed(record.name, e)):
            continue
        towns = [(abs(int(other.zip) - int(record.zip)), other.name) for f, other in records
                 if other.state == record.state and other.zip[:3] == record.zip[:3] and other.name != record.name
                 and counts[(other.name, other.state)] >= 2 and not made_as_another_code(fitted, f)
                 and not fitter.is_governed(other.name, e)]
        if towns:
            options.append((e, min(towns)[1]))
    for e, town in spread(options, min(count, len(options))):
        record = fitted.elements[e]
        fitted.elements[e] = Record(record.zip, town, record.state)
        fitted.notes[e] = [f"made to fit: a ZIP code not in the sources, another code of {town}, the nearest "
                           f"place of its sectional centre with several codes"]


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
