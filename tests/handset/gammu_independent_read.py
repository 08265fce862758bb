#!/usr/bin/python3
"""Sets Gammu, a program written apart from ours, against Tunewright's
handset files. `gammu copyringtone IN OUT` converts between the formats its
file extensions name; it reads RTTTL (.txt) and Smart Messaging (.ott) and
writes those and iMelody (.imy), but does not read iMelody.

- Gammu reads the .ott Tunewright writes to the notes and tempo Tunewright
  reads in the ringtone.
- Tunewright reads the .ott Gammu writes to the notes Gammu reads in it
  (Gammu's own RTTTL reader drops some dots, so its reading of its own file
  is the measure). Gammu writes a pattern loop value: the pattern plays that
  many times and once more.
- Tunewright reads the .imy Gammu writes, whose octave prefixes are each for
  one note, with --imelody-prefix one-note to the notes Gammu read in the
  ringtone.

Usage: gammu_independent_read.py TUNEWRIGHT"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
from fractions import Fraction

from tunewright_notes import describe, notes, run

TUNEWRIGHT = sys.argv[1]
# Within what a ringing tone holds: RTTTL octaves 4 to 7, lengths 1 to 32,
# dotted or not, tempos a ringing tone has. "c6." has its dot after the
# octave, which Gammu's RTTTL reader drops.
RINGTONES = [
    "Sharps:d=16,o=5,b=125:c,c#,d,d#,e,f,f#,g,g#,a,a#,b,c6",
    "Octaves:d=8,o=5,b=90:a4,c,c#6,b7,4g4,2p,e.6,c6.,8g#4",
    "Lengths:d=4,o=6,b=200:1c,2d,4e,8f,16g,32a,2b.,8p.,16c.,32d.",
    "Slow:d=4,o=5,b=25:c,d",
    "Fast:d=32,o=7,b=900:c,d,e,f,g,a,b,8p",
]
SEMITONES = {"c": 0, "d": 2, "e": 4, "f": 5, "g": 7, "a": 9, "b": 11, "h": 11}
TOKEN = re.compile(r"(\d*)([a-hp])(#?)(\.?)(\d?)(\.?)")


def gammu(source, target):
    done = subprocess.run(["gammu", "copyringtone", source, target], capture_output=True, timeout=60,
                          env=dict(os.environ, HOME=os.path.dirname(source)))
    if done.returncode != 0 or not os.path.exists(target):
        raise SystemExit(f"gammu copyringtone {source} {target}: exit {done.returncode}: {done.stderr.decode()}")


def read_rtttl(path):
    """(tempo, notes) of the RTTTL Gammu writes: name:d=,o=,s=,b=:notes."""
    with open(path, encoding="latin-1") as text:
        _, controls, body = text.read().strip().split(":", 2)
    values = dict(pair.split("=") for pair in controls.split(","))
    duration, octave = int(values.get("d", 4)), int(values.get("o", 6))
    read = []
    for token in body.split(","):
        m = TOKEN.fullmatch(token.strip().lower())
        if not m:
            raise SystemExit(f"{path}: {token!r} is no RTTTL note")
        length = Fraction(1, int(m[1] or duration)) * (Fraction(3, 2) if m[4] or m[6] else 1)
        key = None if m[2] == "p" else 12 * (int(m[5] or octave) + 1) + SEMITONES[m[2]] + (1 if m[3] else 0)
        read.append((key, length))
    return values.get("b"), read


def loop_value(path):
    """The loop value of the first pattern of a ringing tone."""
    with open(path, "rb") as f:
        bits = "".join(f"{byte:08b}" for byte in f.read())
    at = 0

    def take(n):
        nonlocal at
        at += n
        return int(bits[at - n:at], 2)

    for _ in range(take(8)):
        command = take(7)
        if command in (0b0100101, 0b0100010):  # ringing-tone programming, unicode
            at += (8 - at % 8) % 8
        elif command == 0b0011101:  # sound: a basic song with its title
            if take(3) != 0b001:
                raise SystemExit(f"{path}: not a basic song")
            title = take(4)
            at += 8 * title
            take(8)  # the patterns
            take(3)  # pattern header
            take(2)  # pattern id
            return take(4)
    raise SystemExit(f"{path}: no sound command")


failures = 0


def expect(what, got, expected):
    global failures
    if got != expected:
        failures += 1
        print(f"FAIL {what}:\n  got      {describe(got)}\n  expected {describe(expected)}")


if shutil.which("gammu") is None:
    sys.exit("gammu is not installed (scripts/install-deps installs it)")
with tempfile.TemporaryDirectory() as folder:
    for number, rtttl in enumerate(RINGTONES):
        path = lambda extension: os.path.join(folder, f"{number}{extension}")
        with open(path(".txt"), "w", encoding="latin-1") as source:
            source.write(rtttl + "\n")
        name = rtttl.split(":")[0]

        # Gammu reads our ringing tone.
        _, tempo, ours = notes(TUNEWRIGHT, ["--from", "rtttl"], rtttl.encode())
        run(TUNEWRIGHT, ["convert", "--from", "rtttl", "--to", "ott", "-o", path("-ours.ott")], rtttl.encode())
        gammu(path("-ours.ott"), path("-ours.txt"))
        gammu_tempo, heard = read_rtttl(path("-ours.txt"))
        expect(f"{name}: Gammu reading our .ott", heard, ours)
        if gammu_tempo != tempo:
            failures += 1
            print(f"FAIL {name}: Gammu reads the tempo {gammu_tempo}, not {tempo}")

        # We read Gammu's ringing tone.
        gammu(path(".txt"), path("-gammu.ott"))
        gammu(path("-gammu.ott"), path("-gammu.txt"))
        gammu_tempo, theirs = read_rtttl(path("-gammu.txt"))
        _, tempo, read = notes(TUNEWRIGHT, ["--from", "ott", path("-gammu.ott")])
        expect(f"{name}: our reading of Gammu's .ott", read, theirs * (loop_value(path("-gammu.ott")) + 1))
        if gammu_tempo != tempo:
            failures += 1
            print(f"FAIL {name}: we read the tempo of Gammu's .ott as {tempo}, Gammu as {gammu_tempo}")

        # We read Gammu's iMelody, a prefix for one note.
        gammu(path(".txt"), path("-gammu.imy"))
        gammu(path(".txt"), path("-again.txt"))
        _, source_read = read_rtttl(path("-again.txt"))
        _, _, read = notes(TUNEWRIGHT, ["--from", "imelody", "--imelody-prefix", "one-note", path("-gammu.imy")])
        expect(f"{name}: our reading of Gammu's .imy, one note a prefix", read, source_read)

    # The other reading is not Gammu's: a prefix it wrote for one note holds on.
    _, _, held = notes(TUNEWRIGHT, ["--from", "imelody", os.path.join(folder, "1-gammu.imy")])
    if held == source_read or not held:
        failures += 1
        print("FAIL holding Gammu's prefixes until the next one gives its notes: the test shows nothing")
print(f"checked {len(RINGTONES)} ringtones with Gammu, {failures} failures")
sys.exit(1 if failures else 0)
