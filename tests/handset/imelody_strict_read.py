#!/usr/bin/python3
"""Reads the iMelody that `tunewright convert --to imelody` writes with a
strict reader of the iMelody 1.2 grammar (imelody_grammar.py), holding
octave prefixes until the next one and for one note only, and checks every
note's pitch and length and the tempo against Tunewright's own reading of
the ringtone (`tunewright notes`).

Usage: imelody_strict_read.py TUNEWRIGHT           ringtones of this test
       imelody_strict_read.py TUNEWRIGHT SAMPLE.tsv every ringtone of a
           published collection (source TAB rtttl a line) that iMelody can
           hold; exit 77 (skipped) when the file is not there."""
import os
import sys
from concurrent.futures import ThreadPoolExecutor

import imelody_grammar
from tunewright_notes import describe, notes, run

TUNEWRIGHT = sys.argv[1]
SAMPLE = sys.argv[2] if len(sys.argv) > 2 else None
RINGTONES = [
    "Sharps:d=16,o=5,b=125:c,c#,d,d#,e,f,f#,g,g#,a,a#,b,c6",
    "Octaves:d=4,o=5,b=90:a1,c2,8c#3,b4,2c5.,16e6,32g7,8f#8,c9,b9",
    "Lengths:d=8,o=6,b=200:1c,2d,4e,8f,16g,32a,4b.,8p.,12c,p,24d,6e,3f",
    "Naturals:d=4,o=5,b=63:e#,b#,8e#6,8b#7",
    "Returns:d=8,o=6,b=900:c,c7,c,c5,c,p,c4,c",
]


def check(rtttl):
    """Nothing when the strict reader hears what Tunewright reads, else
    why not; "skip" for a ringtone iMelody cannot hold."""
    data = rtttl.encode()
    read_problems = []
    _, tempo, expected = notes(TUNEWRIGHT, ["--from", "rtttl"], data, read_problems)
    written, err = run(TUNEWRIGHT, ["convert", "--from", "rtttl", "--to", "imelody"], data)
    writer = [line for line in err.splitlines() if line not in read_problems]
    if any(line.startswith("note ") for line in writer):
        return "skip"
    for prefixes in ("until-next", "one-note"):
        try:
            _, beat, got = imelody_grammar.read(written.decode("latin-1"), prefixes)
        except imelody_grammar.NotIMelody as e:
            return f"not iMelody 1.2: {e}\n  {written!r}"
        if got != expected:
            return f"read {prefixes}:\n  got      {describe(got)}\n  expected {describe(expected)}"
        if not any("tempo" in line for line in writer) and str(beat) != tempo:
            return f"BEAT:{beat} for the tempo {tempo}"
    return None


def self_check():
    """The strict reader refuses what the grammar does not have, so that a
    writer that went back to it fails here."""
    good = run(TUNEWRIGHT, ["convert", "--from", "rtttl", "--to", "imelody"], RINGTONES[0].encode())[0].decode()
    broken = {
        "a sharp after its letter": good.replace("#c", "c#"),
        "a line ending in LF": good.replace("\r\n", "\n"),
        "a lower-case key": good.replace("BEAT:", "beat:"),
        "a nested repeat": good.replace("MELODY:", "MELODY:((c2@2)@2)"),
        "a flat that is not one": good.replace("MELODY:", "MELODY:&c2"),
    }
    failures = 0
    for what, text in broken.items():
        try:
            imelody_grammar.read(text)
            print(f"FAIL the strict reader took {what}")
            failures += 1
        except imelody_grammar.NotIMelody:
            pass
    return failures


def sample_ringtones(path):
    with open(path, encoding="utf-8") as sample:
        rows = [line.rstrip("\n").split("\t", 1) for line in sample][1:]
    return [text.replace("\\n", "\n").replace("\\r", "\r") for _, text in rows]


if SAMPLE is not None and not os.path.exists(SAMPLE):
    print(f"SKIP: {SAMPLE} is not there; the published ringtones were not tried")
    sys.exit(77)
ringtones = sample_ringtones(SAMPLE) if SAMPLE else RINGTONES
failures = 0 if SAMPLE else self_check()
with ThreadPoolExecutor(max_workers=2) as pool:
    results = list(pool.map(check, ringtones))
skipped = results.count("skip")
for rtttl, why in zip(ringtones, results):
    if why not in (None, "skip"):
        failures += 1
        print(f"FAIL {rtttl[:60]!r}: {why}")
print(f"{len(ringtones) - skipped - failures} of {len(ringtones) - skipped} ringtones read alike "
      f"({skipped} hold notes iMelody cannot), {failures} failures")
sys.exit(1 if failures else 0)
