"""Fits the source records to the targets, element by element.

The anchors of targets.txt (block first and last lines, run bounds, fixed rows) cut the
elements into gaps. Each gap must hold exactly as many records as it has elements, all of
the state code the block table gives those elements, with ZIP codes between the two
anchors'. A gap takes the source records of its ZIP range and state; where they are too
many, the ones least like a mid-1990s delivery code are left out; where they are too few,
records are made to fit. Every record that is not a source record taken unchanged, and
every source record left out, gets a provenance note saying why.
"""
import re
from dataclasses import dataclass, field

from place_names import NAME_LIMIT, era_name, is_plain
from targets import Anchor, Record, parse_record, states_by_element

FIRM_WORDS = {
    "agencies", "agency", "assn", "assoc", "bank", "banks", "bkcard", "bmc", "brm", "club", "co",
    "com", "corp", "corporation", "dept", "finance", "firm", "firms", "fulfill", "fulfillment", "fund",
    "government", "inc", "ins", "insurance", "irs", "lottery", "mailings", "mutual",
    "newspaper", "petroleum", "power", "reply", "return", "revenue", "serv", "services", "servi", "systems",
    "telephone",
}
# Other names that are not places of their own: housing estates and sectors of Puerto Rico,
# and institutions.
ESTATE_WORDS = {"urb", "villa", "villas", "vista", "vistas", "valle", "sect", "parc", "ext", "upr"}
INSTITUTION_WORDS = {"base", "college", "univ", "university", "hospital", "school", "academy", "prison",
                     "campus", "place", "plaza", "mall", "tower", "gateway", "news", "family", "board"}


# Why a code that only GeoNames holds stands in no record: the code is still known to be
# taken, so no record is made to fit at it, and no record of a renumbered area moves to it.
ONLY_IN_GEONAMES = ("a code that only today's GeoNames list holds, not the ZIP-code lists; "
                    "nothing shows it in use in the mid-1990s")


@dataclass
class Candidate:
    record: Record
    notes: list = field(default_factory=list)
    in_geonames: bool = True
    other_names: tuple = ()   # usable other names of the code: the 2011 list's, GeoNames'
    made_to_fit: bool = False

    @property
    def zip(self):
        return self.record.zip

    @property
    def other_name(self):
        return self.other_names[0] if self.other_names else None

    def renamed(self, name, note):
        if name != self.record.name:
            self.record = Record(self.record.zip, name, self.record.state)
            self.notes.append(note)


@dataclass
class Fitted:
    elements: dict                                    # element -> Record
    notes: dict                                       # element -> [note]
    dropped: list                                     # (zip, source line, reason)


def is_military(name):
    return name.startswith(("APO ", "FPO "))


def is_abbreviation(word):
    """A shortened word such as "Ctr", "Hts" or "Twp": two letters or more, no vowel."""
    return len(word) >= 2 and not any(letter in "aeiouy" for letter in word.lower())


def words_of(name):
    return re.split(r"[ /-]", name.lower())


def is_firm(name):
    """A firm's or an institution's own name rather than a place's: a firm word, or a name
    that reaches the length limit."""
    return len(name) >= NAME_LIMIT - 1 or any(word in FIRM_WORDS for word in words_of(name))


class Fitter:
    def __init__(self, targets, sources, decisions, era):
        self.targets = targets
        self.sources = sources
        self.decisions = decisions
        self.era = era
        # Codes that the targets give: they stand even where the era rule dates them later.
        self.given_codes = ({anchor.zip for anchor in targets.anchors} | {r.zip for r in targets.floating}
                            | {code for code, _ in decisions.places.values()})
        self.later_given = []   # (zip, why the rule dates it later) of the codes the targets give
        self.states = states_by_element(targets)
        self.known_words = {word for record in sources.values() for word in words_of(record.name)}
        self.dropped = []
        # Other names already given to records made to fit: each place is made up once.
        self.other_names_used = set()
        self.candidates = self.make_candidates()

    # ---- candidates from the sources and the decisions ----

    def make_candidates(self):
        candidates = {}
        for code, source in self.sources.items():
            if code in self.decisions.drops:
                self.dropped.append((code, source_line(source), self.decisions.drops[code]))
                continue
            if not source.in_zip_lists:
                self.dropped.append((code, source_line(source), ONLY_IN_GEONAMES))
                continue
            candidates[code] = self.candidate_from_source(source)
        self.move_to_former_codes(candidates)
        self.drop_later_codes(candidates)
        for code, (name, state, reason) in self.decisions.fills.items():
            if code in candidates:
                raise SystemExit(f"fill {code}: the sources hold this ZIP code")
            later = self.era_reason(code)
            if later:
                raise SystemExit(f"fill {code}: {later}")
            candidates[code] = Candidate(Record(code, name, state), [f"made to fit: {reason}"],
                                         made_to_fit=True)
        return candidates

    def drop_later_codes(self, candidates):
        """The era rule, on the records that stand at today's code (a record moved to its
        former code is of the time already)."""
        for code in [c for c in candidates if c in self.sources]:
            later = self.later_reason(code)
            if later:
                del candidates[code]
                self.dropped.append((code, source_line(self.sources[code]), later))

    def later_reason(self, code):
        """Why the era rule leaves the record of this code out, or None: a code known in use
        before 2000 passes, and a code the targets give stands (and is reported)."""
        reason = self.era_reason(code)
        if reason and code in self.given_codes:
            self.later_given.append((code, reason))
            return None
        return reason

    def era_reason(self, code):
        """Why the era rule dates this code after 2000, or None: a code known in use before
        2000 passes."""
        return None if code in self.decisions.in_use else self.era.later_reason(code)

    def move_to_former_codes(self, candidates):
        """Records of renumbered areas stand at the codes they had then, where no record of
        today holds that code (a code that another place holds today came later)."""
        for low, high, former_low, reason in self.decisions.moves:
            shift = int(former_low) - int(low)
            for code in [c for c in candidates if low <= c <= high]:
                former = f"{int(code) + shift:05d}"
                if former in self.sources or former in candidates:
                    continue
                candidate = candidates.pop(code)
                candidate.record = Record(former, candidate.record.name, candidate.record.state)
                candidate.notes.append(f"moved from today's code {code} to {former}: {reason}")
                candidates[former] = candidate

    def candidate_from_source(self, source):
        state, name = source.state, era_name(source.name)
        notes = []
        military = self.military_place(source)
        if military:
            state, name = military
            notes.append(f"military code of the time: \"{source.name}, {source.state}\" "
                         f"written as \"{name}, {state}\"")
        elif name != source.name:
            notes.append(f"\"{source.name}\" written by the conventions"
                         + (" and cut to 25 characters" if len(source.name) > NAME_LIMIT else ""))
        candidate = Candidate(Record(source.zip, name, state), notes, source.in_geonames,
                              self.usable_other_names(source))
        if name in self.decisions.spellings:
            new, reason = self.decisions.spellings[name]
            candidate.renamed(new, f"written \"{new}\": {reason}")
        if source.zip in self.decisions.names:
            new, reason = self.decisions.names[source.zip]
            candidate.renamed(new, f"named \"{new}\": {reason}")
        elif not military and is_firm(era_name(source.name)) and candidate.other_name:
            candidate.renamed(candidate.other_name,
                              f"a firm's own code (\"{source.name}\") under the name of its "
                              f"town, \"{candidate.other_name}\"")
        return candidate

    def military_place(self, source):
        kind = {"Apo": "APO", "Fpo": "FPO", "Dpo": "APO"}.get(source.name)
        if not kind:
            return None
        for prefix, state, city, _ in self.decisions.military:
            if source.zip.startswith(prefix):
                return state, f"{kind} {city}"
        return None

    def usable_other_names(self, source):
        """The other names of a ZIP code that are places of their own: the 2011 list's
        first, then GeoNames'."""
        names = []
        for other in (source.other_name, source.geonames_name):
            if not other:
                continue
            name = self.decisions.spellings.get(era_name(other), (era_name(other),))[0]
            words = words_of(name)
            if not is_plain(name) or len(name) < 3 or len(name) > 22 or is_firm(name):
                continue
            if words[0] in ESTATE_WORDS or any(w in INSTITUTION_WORDS or is_abbreviation(w) for w in words):
                continue
            if not all(word in self.known_words for word in words):
                continue
            if name != era_name(source.name) and name not in names:
                names.append(name)
        return tuple(names)

    # ---- the gaps between anchors ----

    def fit(self):
        elements, notes = {}, {}
        anchors = self.merged_anchors()
        used = set()
        for anchor in anchors:
            record, note = self.anchor_record(anchor)
            elements[anchor.element] = record
            notes[anchor.element] = note
            used.add(record.zip)
        for before, after in zip(anchors, anchors[1:]):
            if after.element - before.element > 1 and self.is_described(before.element + 1, after.element - 1):
                self.fill_gap(before, after, elements, notes, used)
        self.drop_unplaced(anchors, used)
        return Fitted(elements, notes, sorted(self.dropped))

    def drop_unplaced(self, anchors, used):
        """Candidates of the fitted range that no element took: those between two anchors
        that stand next to each other, or replaced by a fixed row of their code."""
        dropped = {code for code, _, _ in self.dropped}
        last_zip = anchors[-1].zip
        for code, candidate in self.candidates.items():
            if code <= last_zip and code not in used and code not in dropped and not candidate.made_to_fit:
                self.drop(candidate, "no element of the lines lies between its neighbours' codes")

    def is_described(self, first, last):
        """Whether the blocks of these elements are described; blocks not described yet
        stay without records, and a gap is never only partly described."""
        described = [element in self.states for element in range(first, last + 1)]
        if any(described) and not all(described):
            raise SystemExit(f"elements {first}-{last}: only some of their blocks are described")
        return all(described)

    def anchored(self):
        """The elements whose record the targets give."""
        return {anchor.element for anchor in self.targets.anchors}

    def frequency_limit(self, element):
        """The number of records at which a name of this element's range counts as frequent."""
        limits = [int(c.args[0]) for c in self.targets.checks
                  if c.kind == "frequent" and c.first <= element <= c.last]
        return min(limits) if limits else None

    def decided_anchors(self):
        """The elements decisions.txt places a record on; a fixed row keeps its name."""
        fixed = {record.zip: record for record in self.targets.floating}
        anchors = []
        for element, (code, reason) in self.decisions.places.items():
            record = fixed.get(code)
            anchors.append(Anchor(element, code, record.state if record else "", record.name if record else None,
                                  f"placed by decision: {reason}"))
        return anchors

    def merged_anchors(self):
        by_element = {}
        for anchor in self.targets.anchors + self.decided_anchors():
            if anchor.element in self.targets.headers:
                continue
            known = by_element.get(anchor.element)
            if known and (known.zip != anchor.zip or (known.name and anchor.name and known.name != anchor.name)):
                raise SystemExit(f"element {anchor.element}: {known} and {anchor} disagree")
            if not known or (anchor.name and not known.name):
                by_element[anchor.element] = anchor
        return sorted(by_element.values(), key=lambda anchor: anchor.element)

    def anchor_record(self, anchor):
        state = anchor.state or self.states[anchor.element]
        if state != self.states[anchor.element]:
            raise SystemExit(f"element {anchor.element}: state {state}, block table says "
                             f"{self.states[anchor.element]}")
        candidate = self.candidates.get(anchor.zip)
        if anchor.name is not None:
            record = Record(anchor.zip, anchor.name, state)
            return record, fixed_row_notes(record, candidate, self.sources.get(anchor.zip))
        # A code given inside a stretch of one place name is that place's record.
        forced_name = self.forced_name(anchor.element, anchor.element)
        if candidate and candidate.record.state == state:
            if forced_name:
                candidate.renamed(forced_name, f"\"{forced_name}\", the place these elements hold")
            return candidate.record, list(candidate.notes)
        if forced_name:
            record = Record(anchor.zip, forced_name, state)
            return record, fixed_row_notes(record, candidate, self.sources.get(anchor.zip))
        raise SystemExit(f"element {anchor.element}: no record of ZIP {anchor.zip}, {state}; add a fill decision")

    def fill_gap(self, before, after, elements, notes, used):
        first, last = before.element + 1, after.element - 1
        need = last - first + 1
        state = self.states[first]
        if any(self.states[element] != state for element in range(first, last + 1)):
            raise SystemExit(f"elements {first}-{last} hold more than one state code; anchor the change")
        in_range = [c for code, c in self.candidates.items()
                    if before.zip < code < after.zip and code not in used]
        chosen = []
        for candidate in in_range:
            if candidate.record.state == state:
                chosen.append(candidate)
            else:
                self.drop(candidate, f"state code {candidate.record.state} among the {state} "
                                     f"records of elements {first}-{last}")
        self.place_floating(chosen, before.zip, after.zip, state)
        forced_name = self.forced_name(first, last)
        if forced_name:
            for candidate in [c for c in chosen if not is_military(c.record.name) and c.record.name != forced_name]:
                chosen.remove(candidate)
                self.drop(candidate, f"elements {first}-{last} hold only records of {forced_name}")
        if len(chosen) > need:
            for candidate in self.surplus(chosen, len(chosen) - need, first):
                chosen.remove(candidate)
                self.drop(candidate, f"elements {first}-{last} hold {need} {state} records "
                                     f"between {before.zip} and {after.zip}")
        elif len(chosen) < need:
            chosen += self.made_to_fit(chosen, need - len(chosen), before, after, state, forced_name)
        chosen.sort(key=lambda c: c.zip)
        for element, candidate in zip(range(first, last + 1), chosen):
            if forced_name:
                candidate.renamed(forced_name, f"\"{forced_name}\", the place these elements hold")
            elements[element] = candidate.record
            notes[element] = candidate.notes
            used.add(candidate.zip)

    def place_floating(self, chosen, low, high, state):
        """Fixed rows placed by their ZIP code replace or join the source records."""
        for record in self.targets.floating:
            if not low < record.zip < high:
                continue
            if record.state != state:
                raise SystemExit(f"{record.line()} falls among {state} records")
            source_candidate = next((c for c in chosen if c.zip == record.zip), None)
            notes = fixed_row_notes(record, source_candidate, self.sources.get(record.zip))
            if source_candidate:
                chosen.remove(source_candidate)
            chosen.append(Candidate(record, notes))

    def is_kept(self, candidate, element=None):
        fixed = any(record.zip == candidate.zip for record in self.targets.floating)
        governed = element is not None and self.is_governed(candidate.record.name, element)
        return fixed or governed or candidate.made_to_fit or candidate.zip in self.decisions.keeps

    def is_governed(self, name, element):
        """Whether a statement of the targets counts or lists this name near this element:
        such records are neither left out nor made up by the automatic fitting, so those
        numbers rest on the source records and on decisions.txt alone."""
        if is_military(name):
            return False
        for check in self.targets.checks:
            if not check.governs or not check.first <= element <= check.last:
                continue
            if check.kind in ("count", "only") and re.search(check.args[0], name):
                return True
            if check.kind == "frequent" and any(entry.rpartition(" ")[0] == name for entry in check.args[1:]):
                return True
            if check.kind == "named" and check.args[0] == name:
                return True
            if check.kind in ("shortest", "longest") and any(name == parse_record(r).name for r in check.args):
                return True
        return False

    def surplus(self, chosen, count, element):
        """The records to leave out: names that are no place names first, then firms' own
        codes, codes GeoNames does not hold, further codes of a place already present (or
        places of one code, where decisions.txt says so), and among equals the higher
        codes, which are the later ones."""
        names = [c.record.name for c in chosen]
        singles_first = self.range_policy(self.decisions.drop_order, element, "repeats") == "singles"

        def drop_first(candidate):
            name = candidate.record.name
            repeated = names.count(name) > 1
            return (not is_plain(name) or len(name) < 3, is_firm(name), not candidate.in_geonames,
                    repeated != singles_first, candidate.zip)

        removable = sorted((c for c in chosen if not self.is_kept(c, element)), key=drop_first, reverse=True)
        if len(removable) < count:
            raise SystemExit(f"cannot leave out {count} records among {[c.zip for c in chosen]}")
        return removable[:count]

    def forced_name(self, first, last):
        for check in self.targets.checks:
            if check.kind in ("same-name", "name-run") and check.first <= first and last <= check.last:
                return check.args[0]
        return None

    @staticmethod
    def range_policy(policies, element, default):
        for low, high, policy, _ in policies:
            if low <= element <= high:
                return policy
        return default

    def made_to_fit(self, chosen, count, before, after, state, forced_name):
        taken = set(self.sources) | set(self.candidates) | set(self.decisions.drops) | {c.zip for c in chosen}
        free = [f"{code:05d}" for code in range(int(before.zip) + 1, int(after.zip))
                if f"{code:05d}" not in taken and not self.is_absent(f"{code:05d}") and not self.era_reason(f"{code:05d}")
                and not self.is_listed_code(f"{code:05d}", before.element + 1)]
        if len(free) < count:
            raise SystemExit(f"{before.zip}-{after.zip}: {count} records to make, {len(free)} free codes")
        if forced_name:
            return [self.fill(code, forced_name, state, f"another code of {forced_name}")
                    for code in spread(free, count)]
        made = []
        if self.range_policy(self.decisions.fill_names, before.element + 1, "other") == "other":
            made += self.fills_from_other_names(chosen, count, free, state, before.element + 1)
        return made + self.repeat_fills(chosen + made, count - len(made), free, state, before.element + 1)

    def fills_from_other_names(self, chosen, count, free, state, element):
        present = {c.record.name for c in self.candidates.values() if c.record.state == state}
        made = []
        for candidate in sorted(chosen, key=lambda c: c.zip):
            name = candidate.other_name
            if (len(made) == count or not name or name in present or name in self.other_names_used
                    or self.is_governed(name, element)):
                continue
            code = nearest_free(free, candidate.zip)
            free.remove(code)
            present.add(name)
            self.other_names_used.add(name)
            made.append(self.fill(code, name, state,
                                  f"for {name}, a place that {candidate.zip} {candidate.record.name} "
                                  f"serves (other name in zipcodes 0.1.0)"))
        return made

    def repeat_fills(self, chosen, count, free, state, element):
        """Second codes of places that have one record in the gap: the free codes right after
        such a record, spread evenly over the gap. Where a gap lacks more records than it
        has such places, further rounds give further codes to the places of the gap."""
        made = []
        while len(made) < count:
            following = self.following_free_codes(chosen, made, free, element, count - len(made))
            if not made and len(following) < count:
                plain = [c for c in chosen if not self.is_kept(c, element) and is_plain(c.record.name)]
                following.update(self.further_codes_of_towns(chosen, plain, free, following))
            if not following:
                raise SystemExit(f"{state} {free[0]}-{free[-1]}: {count} records to make, "
                                 f"{len(made)} places to give another code")
            for code in spread(sorted(following), min(count - len(made), len(following))):
                free.remove(code)
                made.append(self.fill(code, following[code], state, f"another code of {following[code]}"))
        return made

    def following_free_codes(self, chosen, made, free, element, count):
        """The free code right after each record of a place with one record in the gap
        (of any place, where there are fewer such than count), when no record stands between."""
        names = [c.record.name for c in chosen + made]
        plain = [c for c in chosen if not self.is_kept(c, element) and is_plain(c.record.name)] + made
        singles = {c.zip: c.record.name for c in plain if names.count(c.record.name) == 1}
        everyone = {c.zip: c.record.name for c in plain}
        codes = sorted(c.zip for c in chosen + made)
        following = {}
        for places in ([singles] if len(singles) >= count else []) + [everyone]:
            for code in sorted(places):
                after = next((z for z in free if z > code), None)
                if after and not any(code < z < after for z in codes):
                    following[after] = places[code]
            if following:
                return following
        return following

    @staticmethod
    def further_codes_of_towns(chosen, plain, free, taken):
        """Where too few places can take a second code: the free codes next to a code of a
        town with several codes in the gap (the one below, else the one above), each taking
        that town's name."""
        names = [c.record.name for c in chosen]
        towns = {c.zip: c.record.name for c in plain if names.count(c.record.name) > 1}
        codes = sorted(c.zip for c in chosen)
        further = {}
        for code in free:
            below = [z for z in codes if z < code]
            neighbour = below[-1] if below else next((z for z in codes if z > code), None)
            if code not in taken and neighbour in towns:
                further[code] = towns[neighbour]
        return further

    def fill(self, code, name, state, why):
        return Candidate(Record(code, name, state),
                         [f"made to fit: a ZIP code not in the sources, {why}"], made_to_fit=True)

    def is_listed_code(self, code, element):
        """Whether a statement lists every record of this element's range whose code is like
        this one (the codes ending in 00, which begin the large places): no record is made up
        with such a code."""
        return any(c.first <= element <= c.last and (
            (c.kind in ("only-zip", "code-places", "opens") and re.search(c.args[0], code))
            or (c.kind == "hundreds" and code.endswith("00"))) for c in self.targets.checks)

    def is_absent(self, code):
        return any(low <= code <= high for low, high in self.targets.absent)

    def drop(self, candidate, reason):
        self.dropped.append((candidate.zip, candidate.record.line(), reason))


def spread(codes, count):
    """count of the codes, evenly spread from first to last."""
    return [codes[(2 * i + 1) * len(codes) // (2 * count)] for i in range(count)]


def nearest_free(free, code):
    above = [z for z in free if z > code]
    return min(above) if above else max(free)


def source_line(source):
    return f"{source.zip} {source.name}, {source.state}"


def fixed_row_notes(record, candidate, source):
    if candidate and candidate.record == record and not candidate.notes:
        return []
    if source is None:
        return ["fixed row; its ZIP code is not in the sources"]
    return [f"fixed row; the sources hold \"{source_line(source)}\""]
