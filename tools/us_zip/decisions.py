"""Reads decisions.txt: the hand-kept choices that fit the source records to the targets.

Each statement carries its one-line reason as its last field, which goes into the
provenance file with the records it touches:

  spell OLD | NEW | REASON            every record named OLD (after the conventions) is NEW
  name ZIP | NAME | REASON            the record of ZIP takes NAME
  drop ZIP[-ZIP] | REASON             the source records of these ZIP codes are left out,
                                      and no record is made to fit at them
  keep ZIP[-ZIP] | REASON             these records are never left out to meet a count
  in-use ZIP | REASON                 the code is known in use before 2000: the era rule
                                      (era.py) does not leave it out
  fill ZIP | NAME, ST | REASON        a record made to fit, not in the sources
  move ZIP-ZIP | FORMER | REASON     the records of these codes stand at the codes they had
                                      then, FORMER for the first, where no record of today
                                      holds that code
  military PREFIX | ST | CITY | REASON  the military codes beginning PREFIX carry ST and
                                      the place "APO CITY" or "FPO CITY"
  fill-names E1-E2 | POLICY | REASON  how the fills of the elements E1-E2 are named:
                                      "other" (other names of the ZIP codes about, then
                                      the name before), or "repeat" (the name before)
  at E | ZIP | REASON                 element E holds the record of ZIP (a source record,
                                      a fill or a fixed row placed by its code)
  drop-order E1-E2 | ORDER | REASON   which records of the elements E1-E2 are left out
                                      first to meet a count: "repeats" (further codes of
                                      a place, the default) or "singles" (places of one code)
"""
from dataclasses import dataclass, field

from statements import parse_file


@dataclass
class Decisions:
    spellings: dict = field(default_factory=dict)   # old -> (new, reason)
    names: dict = field(default_factory=dict)       # zip -> (name, reason)
    drops: dict = field(default_factory=dict)       # zip -> reason
    keeps: dict = field(default_factory=dict)       # zip -> reason
    in_use: dict = field(default_factory=dict)      # zip -> reason
    fills: dict = field(default_factory=dict)       # zip -> (name, state, reason)
    military: list = field(default_factory=list)    # (prefix, state, city, reason)
    moves: list = field(default_factory=list)       # (low, high, former low, reason)
    fill_names: list = field(default_factory=list)  # (e1, e2, policy, reason)
    drop_order: list = field(default_factory=list)  # (e1, e2, order, reason)
    places: dict = field(default_factory=dict)      # element -> (zip, reason)


def zip_range(text):
    low, _, high = text.partition("-")
    return [f"{code:05d}" for code in range(int(low), int(high or low) + 1)]


def read_decisions(path):
    decisions = Decisions()
    parse_file(path, lambda text: parse_statement(decisions, text))
    return decisions


def parse_statement(decisions, text):
    fields = text.split(" | ")
    kind, _, argument = fields[0].partition(" ")
    reason = fields[-1]
    if len(fields) < 2 or not reason:
        raise ValueError("every decision needs its reason")
    if kind == "spell":
        decisions.spellings[argument] = (fields[1], reason)
    elif kind == "name":
        decisions.names[argument] = (fields[1], reason)
    elif kind == "drop":
        decisions.drops.update((code, reason) for code in zip_range(argument))
    elif kind == "keep":
        decisions.keeps.update((code, reason) for code in zip_range(argument))
    elif kind == "in-use":
        decisions.in_use.update((code, reason) for code in zip_range(argument))
    elif kind == "fill":
        if argument in decisions.fills:
            raise ValueError("a second fill of this ZIP code")
        name, _, state = fields[1].rpartition(", ")
        decisions.fills[argument] = (name, state, reason)
    elif kind == "move":
        codes = zip_range(argument)
        decisions.moves.append((codes[0], codes[-1], zip_range(fields[1])[0], reason))
    elif kind == "at":
        decisions.places[int(argument)] = (fields[1], reason)
    elif kind == "military":
        decisions.military.append((argument, fields[1], fields[2], reason))
    elif kind in ("fill-names", "drop-order"):
        low, _, high = argument.partition("-")
        getattr(decisions, kind.replace("-", "_")).append((int(low), int(high), fields[1], reason))
    else:
        raise ValueError(f"unknown decision {kind!r}")
