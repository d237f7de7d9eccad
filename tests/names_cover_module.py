#!/usr/bin/python3
"""Every host variable and key event the module and the host's data use has
a name in host/data/names.txt, so that none prints bare in a timeline.

    names_cover_module.py SOURCE_DIR CATALOGUE MODULE

Tokens: the module's `host::value<T>()` and `host::bits<T>()` reads (T a
number or a named constant), the string elements' own variables (from the
built module's records), and those of the host profile. Events: every key
event id (0x10000 to 0x1FFFF) written in the module's sources, and those of
the host profile.
"""
import pathlib
import re
import subprocess
import sys

source, catalogue, module = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3]
texts = [p.read_text(encoding="utf-8") for p in sorted((source / "src").rglob("*")) if p.suffix in (".h", ".cpp")]
constants = {}
for text in texts:
    for name, value in re.findall(r"constexpr u?int(?:32|64)_t (\w+) = (0x[0-9A-Fa-f]+|\d+);", text):
        constants[name] = int(value, 0)

tokens, events = set(), set()
for text in texts:
    for word in re.findall(r"\b(?:value|bits)<(\w+)>", text):
        if word.isdigit():
            tokens.add(int(word))
        elif word in constants:
            tokens.add(constants[word])
        elif not re.fullmatch(r"[A-Z][a-z]\w*", word):
            # A template's parameter (Token, OtherN1Token) stands for numbers
            # read elsewhere; anything else must be a constant.
            sys.exit(f"names_cover_module: cannot resolve the token {word}")
    for hex_id in re.findall(r"\b0x1[0-9A-Fa-f]{4}\b", text):
        events.add(int(hex_id, 16))

records = subprocess.run([catalogue, "--records", module], check=True, capture_output=True, text=True).stdout
for first, second, third in re.findall(r"string: variables (\d+) (\d+) (\d+)", records):
    tokens.update(int(t) for t in (first, second, third) if int(t) != 0)

profile = (source / "host/data/profile.txt").read_text(encoding="utf-8")
for line in profile.splitlines():
    line = line.split("#", 1)[0].split()
    if not line:
        continue
    # A name stands for a number named in the names file already.
    if line[0] == "on" and re.fullmatch(r"0x[0-9A-Fa-f]+|\d+", line[1]):
        events.add(int(line[1], 0))
    for i, word in enumerate(line):
        if word in ("set", "toggle", "add", "ramp", "hold", "integer", "initial", "when", "and") and i + 1 < len(line):
            if re.fullmatch(r"\d+", line[i + 1]):
                tokens.add(int(line[i + 1]))

named_tokens, named_events = set(), set()
for line in (source / "host/data/names.txt").read_text(encoding="utf-8").splitlines():
    words = line.split()
    if not words or words[0].startswith("#"):
        continue
    (named_tokens if words[0] == "token" else named_events).add(int(words[1], 0))

missing_tokens = sorted(tokens - named_tokens)
missing_events = sorted(events - named_events)
if missing_tokens or missing_events:
    sys.exit(f"names_cover_module: no name for tokens {missing_tokens} and events "
             f"{[hex(e) for e in missing_events]} (host/data/names.txt)")
print(f"names_cover_module: all {len(tokens)} tokens and {len(events)} key events in use have names")
