"""The line format that targets.txt and decisions.txt share: one statement a line, fields
separated by " | ", blank lines and lines beginning with "#" ignored."""


def parse_file(path, parse_statement):
    """Hands every statement of the file to parse_statement; a statement it cannot read
    stops the run with the file, the line number and the reason."""
    with open(path, encoding="ascii") as file:
        for number, raw in enumerate(file, 1):
            text = raw.rstrip("\n")
            if not text.strip() or text.startswith("#"):
                continue
            try:
                parse_statement(text)
            except (ValueError, KeyError, IndexError) as error:
                raise SystemExit(f"{path}:{number}: {error}: {text}") from None
