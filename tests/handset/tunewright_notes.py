"""What Tunewright makes of a ringtone, for the tests that set an
independent reader against it: each note as (MIDI key or None for a pause,
length as a fraction of a whole note)."""
import json
import math
import subprocess
from fractions import Fraction


def run(tunewright, args, data=b"", codes=(0, 1)):
    """Runs tunewright; its standard output and error. Exit codes other than
    `codes` end the test."""
    done = subprocess.run([tunewright] + args, input=data, capture_output=True, timeout=60)
    if done.returncode not in codes:
        raise SystemExit(f"tunewright {' '.join(args)}: exit {done.returncode}: {done.stderr.decode(errors='replace')}")
    return done.stdout, done.stderr.decode(errors="replace")


def notes(tunewright, args, data=b"", problems=None):
    """(name, tempo, notes) of `tunewright notes ARGS`; the problems it
    reported are added to the list `problems` when one is given."""
    out, err = run(tunewright, ["notes"] + args, data)
    if problems is not None:
        problems += err.splitlines()
    info = json.loads(out)
    read = []
    for note in info["notes"]:
        hz = note["frequency_hz"]
        key = None if not hz else round(69 + 12 * math.log2(hz / 440))
        read.append((key, Fraction(note["length"]).limit_denominator(1000)))
    return info["name"], info["tempo"], read


def describe(notes):
    names = ["c", "c#", "d", "d#", "e", "f", "f#", "g", "g#", "a", "a#", "b"]
    return " ".join(("p" if key is None else f"{names[key % 12]}{key // 12 - 1}") + f"/{length}" for key, length in notes)
