"""A reader of iMelody 1.2 objects that takes the grammar as written and
nothing else: the lines in its order, each ending in CR LF, the keys and
notes in the case the grammar gives, a sharp or flat before its letter (only
the sharps #c #d #f #g #a and the flats &d &e &g &a &b), repeats not nested.
It is kept apart from Tunewright's own reader, which is lenient by design.

read(text, prefixes) gives (name, beat, notes), each note (key, length): the
MIDI key (a4 = 69; None for a rest) and the length as a fraction of a whole
note. `prefixes` is "until-next" (an octave prefix holds until the next one)
or "one-note" (it is for the note after it; a note without one is in *4)."""
import re
from fractions import Fraction

LINE = re.compile(
    r"BEGIN:IMELODY\r\n"
    r"VERSION:1\.2\r\n"
    r"FORMAT:CLASS[12]\.0\r\n"
    r"(?:NAME:(?P<name>[^\r\n]*)\r\n)?"
    r"(?:COMPOSER:[^\r\n]*\r\n)?"
    r"(?:BEAT:(?P<beat>\d+)\r\n)?"
    r"(?:STYLE:S[012]\r\n)?"
    r"(?:VOLUME:V(?:1[0-5]|[0-9])\r\n)?"
    r"MELODY:(?P<melody>[^\r\n]*)\r\n"
    r"END:IMELODY\r\n$"
)
NOTE = re.compile(r"(\*[0-8])?(#[cdfga]|&[degab]|[cdefgab])([0-5])([.:;]?)")
REST = re.compile(r"r([0-5])([.:;]?)")
COMMAND = re.compile(r"ledoff|ledon|vibeon|vibeoff|backon|backoff|V\+|V-|V(?:1[0-5]|[0-9])")
OPEN = re.compile(r"\(")
REPEAT_END = re.compile(r"@(\d+)(V\+|V-)?\)")
SEMITONES = {"c": 0, "d": 2, "e": 4, "f": 5, "g": 7, "a": 9, "b": 11}
SPECIFIERS = {"": Fraction(1), ".": Fraction(3, 2), ":": Fraction(7, 4), ";": Fraction(2, 3)}


class NotIMelody(ValueError):
    pass


def length(duration, specifier):
    return Fraction(1, 2 ** int(duration)) * SPECIFIERS[specifier]


def read(text, prefixes="until-next"):
    whole = LINE.match(text)
    if not whole:
        raise NotIMelody("the lines are not those of the grammar, in its order, ending in CR LF")
    beat = int(whole["beat"]) if whole["beat"] else 120
    if not 25 <= beat <= 900:
        raise NotIMelody(f"BEAT:{beat} is outside 25 to 900")
    melody = whole["melody"]
    notes, octave, at, repeat_from = [], 4, 0, None
    while at < len(melody):
        if m := NOTE.match(melody, at):
            prefix, pitch, duration, specifier = m.groups()
            if prefix:
                octave = int(prefix[1])
            shift = {"#": 1, "&": -1}.get(pitch[0], 0)
            key = 12 * (octave + 2) + SEMITONES[pitch[-1]] + shift
            notes.append((key, length(duration, specifier)))
            if prefixes == "one-note":
                octave = 4
        elif m := REST.match(melody, at):
            notes.append((None, length(*m.groups())))
        elif m := COMMAND.match(melody, at):
            pass
        elif (m := OPEN.match(melody, at)) and repeat_from is None:
            repeat_from = len(notes)
        elif (m := REPEAT_END.match(melody, at)) and repeat_from is not None:
            if repeat_from == len(notes):
                raise NotIMelody(f"an empty repeat ending at character {at + 1}")
            count = int(m[1])
            notes += notes[repeat_from:] * (max(count, 1) - 1)
            repeat_from = None
        else:
            raise NotIMelody(f"the melody breaks the grammar at character {at + 1}: {melody[at:at + 12]!r}")
        at = m.end()
    if repeat_from is not None:
        raise NotIMelody("a repeat is never closed")
    if not notes:
        raise NotIMelody("the melody holds no note")
    return whole["name"], beat, notes
