#!/usr/bin/python3
"""Sets the Arduino sketches Tunewright writes against the real toolchain.

- Each sketch of a table of ringtones (pauses, dots, octaves below, in and
  above the composer's, notes longer than an entry holds, odd names and the
  largest melody an Uno takes) compiles with avr-g++ against Debian's Arduino
  core for an Uno (ATmega328P at 16 MHz, -Os), with `#include <Arduino.h>`
  before it as the Arduino build does; it is linked with the core, and the
  program fits the Uno's 32256 bytes of flash beside the bootloader.
- The same sketch, compiled on this machine with g++ and a stand-in Arduino.h
  whose tone(), noTone() and delay() log their calls, plays the pitches and
  lengths `tunewright notes --from rtttl` describes: each note's whole hertz
  (0 a pause) for its whole milliseconds at the tempo, sounding for nine
  tenths and silent for the last tenth, a note over 65535 ms as several of
  the same pitch.

Exits 77 (skipped) when avr-g++, the Arduino core or g++ is missing.

Usage: sketch_toolchain.py TUNEWRIGHT"""
import glob
import json
import os
import shutil
import subprocess
import sys
import tempfile

TUNEWRIGHT = sys.argv[1]
CORE = "/usr/share/arduino/hardware/arduino/avr"
UNO_FLASH = 32256  # 32 KB less the 512-byte bootloader
AVR_FLAGS = ["-mmcu=atmega328p", "-DF_CPU=16000000L", "-DARDUINO=10819", "-DARDUINO_AVR_UNO",
             "-DARDUINO_ARCH_AVR", "-Os", "-ffunction-sections", "-fdata-sections",
             "-I" + CORE + "/cores/arduino", "-I" + CORE + "/variants/standard"]
AVR_CXX = ["-std=gnu++11", "-fno-exceptions", "-fno-threadsafe-statics"]

RINGTONES = [
    "Dots and pauses:d=4,o=5,b=125:8c,8p,4e.,16p,2g.,32a#,p,8d#.6,1p",
    "Octaves:d=8,o=5,b=200:c1,c2,c3,c4,c,c6,c7,c8,c9,b9,c0,c12,a#4,f#7",
    "Odd tempo:d=16,o=6,b=63:c,d.,32e,p,2f,4g.,a,b",
    "Slow:d=1,o=5,b=1:c.,p,8e",
    "*/ int main() { return 1; } /*:d=4,o=5,b=100:c,e,g",
    "007:d=4,o=5,b=100:g,g",
    "class:d=4,o=5,b=100:a",
    ":d=4,o=5,b=100:c",
    "F\u00fcr Elise \u266a:d=8,o=5,b=140:e6,d#6,e6,d#6,e6,b,d6,c6,4a",
    "back\\slash??/:d=4,o=5,b=100:c",
    "Largest:d=32,o=5,b=100:" + ",".join(["c", "d", "e", "f", "g", "a", "b", "p"] * 896),
]

STUB = r"""#pragma once
#include <cstdint>
#include <cstdio>
#define PROGMEM
inline uint16_t pgm_read_word(const uint16_t* address) { return *address; }
inline void tone(uint8_t pin, unsigned int hz) { std::printf("tone %u %u\n", pin, hz); }
inline void noTone(uint8_t pin) { std::printf("noTone %u\n", pin); }
inline void delay(unsigned long ms) { std::printf("delay %lu\n", ms); }
void setup();
void loop();
int main() { setup(); loop(); }
"""


def run(args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def expected_notes(ringtone_file):
    done = run([TUNEWRIGHT, "notes", "--from", "rtttl", ringtone_file])
    described = json.loads(done.stdout)
    whole = 240000 / int(described["tempo"])
    notes = []
    for note in described["notes"]:
        hz = round(note["frequency_hz"])
        if hz:
            hz = min(max(hz, 31), 65535)
        notes.append((hz, round(whole * note["length"])))
    return notes


def played_notes(log, pin):
    """The (hz, ms) of each note the log plays, checking the gap of each."""
    notes, sounding, lines = [], 0, log.split("\n")
    i = 0
    while i < len(lines) and lines[i]:
        words = lines[i].split()
        if words[0] == "tone":
            if int(words[1]) != pin:
                fail("tone on pin %s, not %d" % (words[1], pin))
            sounding = int(words[2])
            i += 1
            continue
        if words[0] != "delay" or lines[i + 1].split()[0] != "noTone" or lines[i + 2].split()[0] != "delay":
            fail("unexpected calls from line %d: %s" % (i + 1, lines[i:i + 3]))
        heard, gap = int(words[1]), int(lines[i + 2].split()[1])
        ms = heard + gap
        if gap != ms // 10:
            fail("a note of %d ms sounds for %d ms" % (ms, heard))
        notes.append((sounding, ms))
        sounding = 0
        i += 3
    return notes


def compare(name, expected, played):
    """Each expected note is one played note, or several of its pitch (over 65535 ms)."""
    at = 0
    for position, (hz, ms) in enumerate(expected, 1):
        total = 0
        while total < ms and at < len(played) and played[at][0] == hz and played[at][1] <= 65535:
            total += played[at][1]
            at += 1
        if total != ms:
            fail("%s: note %d should be %d Hz for %d ms; played %s" %
                 (name, position, hz, ms, played[at - 1:at + 2] if at else played[:2]))
    if at != len(played):
        fail("%s: %d notes played after the last" % (name, len(played) - at))


def main():
    avr_gpp, avr_gcc, gpp = shutil.which("avr-g++"), shutil.which("avr-gcc"), shutil.which("g++")
    if not (avr_gpp and avr_gcc and gpp and os.path.isfile(CORE + "/cores/arduino/Arduino.h")):
        print("SKIP: avr-g++, avr-gcc, g++ or the Arduino core (arduino-core-avr) is missing")
        sys.exit(77)
    with tempfile.TemporaryDirectory() as work:
        # The core, compiled once into a library the sketches link with.
        # WString.cpp (the String class, which no sketch of ours uses) needs
        # DECIMAL_DIG, which Debian's avr-gcc 5 does not define.
        objects = []
        sources = glob.glob(CORE + "/cores/arduino/*.c") + glob.glob(CORE + "/cores/arduino/*.cpp")
        for source in sorted(s for s in sources if not s.endswith("/WString.cpp")):
            obj = os.path.join(work, "core_" + os.path.basename(source) + ".o")
            compiler = [avr_gcc] if source.endswith(".c") else [avr_gpp] + AVR_CXX
            done = run(compiler + AVR_FLAGS + ["-c", source, "-o", obj])
            if done.returncode != 0:
                fail("the Arduino core's %s does not compile:\n%s" % (source, done.stderr))
            objects.append(obj)
        core = os.path.join(work, "core.a")
        run(["avr-gcc-ar", "rcs", core] + objects).check_returncode()
        with open(os.path.join(work, "Arduino.h"), "w") as stub:
            stub.write(STUB)

        for number, ringtone in enumerate(RINGTONES, 1):
            pin = 8 if number % 2 else number
            base = os.path.join(work, "r%d" % number)
            with open(base + ".txt", "w", encoding="utf-8") as text:
                text.write(ringtone + "\n")
            ino = base + ".ino"
            done = run([TUNEWRIGHT, "convert", "--from", "rtttl", "--to", "arduino", "--pin", str(pin),
                        base + ".txt", "-o", ino])
            if done.returncode not in (0, 1) or not os.path.isfile(ino):
                fail("%r: no sketch written (%d): %s" % (ringtone[:40], done.returncode, done.stderr))
            with open(ino, encoding="utf-8") as sketch:
                body = sketch.read()
            with open(base + ".cpp", "w", encoding="utf-8") as cpp:
                cpp.write('#include <Arduino.h>\n#line 1 "sketch.ino"\n' + body)

            done = run([avr_gpp] + AVR_CXX + AVR_FLAGS + ["-Wall", "-Wextra", "-Werror", "-c", base + ".cpp",
                                                          "-o", base + ".o"])
            if done.returncode != 0:
                fail("%r does not compile for an Uno:\n%s" % (ringtone[:40], done.stderr))
            done = run([avr_gpp, "-mmcu=atmega328p", "-Os", "-Wl,--gc-sections", base + ".o", core,
                        "-o", base + ".elf"])
            if done.returncode != 0:
                fail("%r does not link for an Uno:\n%s" % (ringtone[:40], done.stderr))
            sizes = run(["avr-size", base + ".elf"]).stdout.split("\n")[1].split()
            flash = int(sizes[0]) + int(sizes[1])
            if flash > UNO_FLASH:
                fail("%r takes %d bytes of flash, more than an Uno's %d" % (ringtone[:40], flash, UNO_FLASH))

            done = run([gpp, "-std=c++17", "-Wall", "-Wextra", "-Werror", "-I" + work, "-include", "Arduino.h",
                        "-x", "c++", ino, "-o", base + ".host"])
            if done.returncode != 0:
                fail("%r does not compile on this machine:\n%s" % (ringtone[:40], done.stderr))
            log = run([base + ".host"]).stdout
            compare(ringtone[:40], expected_notes(base + ".txt"), played_notes(log, pin))
            print("ok %d: %s (%d bytes of flash)" % (number, ringtone[:40], flash))
    print("all %d sketches compile for an Uno and play their ringtones" % len(RINGTONES))


main()
