"""Place names written the way the ZIP-code lines write them.

- Title case: every word a capital letter and small letters, also short words and
  abbreviations ("Bird In Hand", "Drewsville Nh"); each part of a hyphenated name too.
- "Mc" is a word of its own: "Mckeesport" becomes "Mc Keesport".
- "St", "Ste", "Mt" and "Ft" are spelled out: "Saint", "Sainte", "Mount", "Fort".
- Initials stand as single capitals without points: "Afb" becomes "A F B".
- A name longer than 25 characters is cut after its 25th character.
Names that the conventions leave with anything but letters, spaces and hyphens are not
usable as they stand; the decisions file renames or drops their records.
"""
import re

NAME_LIMIT = 25
SPELLED_OUT = {"st": "Saint", "ste": "Sainte", "mt": "Mount", "ft": "Fort"}
INITIALS = {"afb": "A F B"}
PLAIN_NAME = re.compile(r"^[A-Za-z]+([ -][A-Za-z]+)*$")


def title_word(word):
    return "-".join(part[:1].upper() + part[1:].lower() for part in word.split("-"))


def convention_word(word):
    lower = word.lower().rstrip(".")
    if lower in SPELLED_OUT:
        return SPELLED_OUT[lower]
    if lower in INITIALS:
        return INITIALS[lower]
    if re.fullmatch(r"mc[a-z]{2,}", lower):
        return "Mc " + title_word(lower[2:])
    return title_word(word)


def era_name(raw):
    """The source's place name in this data's conventions, cut to the name limit."""
    words = raw.replace(".", " ").split()
    return cut(" ".join(convention_word(word) for word in words))


def cut(name):
    return name[:NAME_LIMIT].rstrip()


def is_plain(name):
    return bool(PLAIN_NAME.match(name))
