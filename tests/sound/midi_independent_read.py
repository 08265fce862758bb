#!/usr/bin/python3
"""Reads the MIDI files `tunewright midi` writes with mido, a MIDI library
written apart from ours, and checks each note's key and length in ticks
against the ringtone's own notes (from `tunewright notes`)."""
import io
import json
import math
import subprocess
import sys

import mido

TUNEWRIGHT = sys.argv[1]
RINGTONES = [
    "Tune:d=4,o=5,b=120:a4,8p,c6.,16e",
    "Dotted:d=8,o=6,b=63:c.,16p.,d#,2f#.,32g,p,1b5",
    "Fast:d=32,o=7,b=900:c,d,e,f,g,a,b,8p.",
]


def run(args, text):
    """Standard output of a command that read the ringtone (exit 0, or 1 for
    notes the handset cannot hold)."""
    done = subprocess.run([TUNEWRIGHT] + args, input=text.encode(), capture_output=True)
    if done.returncode not in (0, 1):
        sys.exit(f"{args}: exit {done.returncode}: {done.stderr.decode()}")
    return done.stdout


failures = 0
for rtttl in RINGTONES:
    song = mido.MidiFile(file=io.BytesIO(run(["midi", "--from", "rtttl", "-o", "-"], rtttl)))
    info = json.loads(run(["notes", "--from", "rtttl"], rtttl))
    expected, waiting = [], 0
    for note in info["notes"]:
        ticks = round(note["length"] * 4 * 480)
        if note["frequency_hz"] == 0:
            waiting += ticks
        else:
            expected.append((waiting, round(69 + 12 * math.log2(note["frequency_hz"] / 440)), ticks))
            waiting = 0
    got, metas, clock, started = [], {}, 0, None
    for message in song.tracks[0]:
        clock += message.time
        if message.is_meta:
            metas[message.type] = message
        elif message.type == "program_change":
            metas["program"] = message.program
        elif message.type == "note_on" and message.velocity > 0:
            started = (clock, message.note)
        elif message.type in ("note_off", "note_on"):
            gap = started[0] - (got[-1][3] if got else 0)
            got.append((gap, message.note, clock - started[0], clock))
    checks = {
        "format 0, one track, 480 a quarter": (song.type, len(song.tracks), song.ticks_per_beat) == (0, 1, 480),
        "track name": metas["track_name"].name == info["name"],
        "tempo": metas["set_tempo"].tempo == round(60_000_000 / int(info["tempo"])),
        "square lead": metas["program"] == 80,
        "notes": [g[:3] for g in got] == expected,
        "ends after the last pause": clock - (got[-1][3] if got else 0) == waiting,
    }
    for what, ok in checks.items():
        if not ok:
            failures += 1
            print(f"FAIL {rtttl}: {what}\n  got {got}\n  expected {expected}")
print("checked", len(RINGTONES), "ringtones,", failures, "failures")
sys.exit(1 if failures else 0)
