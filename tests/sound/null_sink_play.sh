#!/usr/bin/env bash
# Plays a short ringtone with `tunewright play` through a private PulseAudio
# daemon whose sink is a null sink, records the sink's monitor with parec and
# checks that the sound arrived: non-silent samples over roughly the sound's
# length, for the beep and for an instrument voice played at 44.1 kHz. First
# checks that with no sound server the play fails at once with a reason.
# Then, given the position program, checks the position the player reports
# while it plays.
# Usage: null_sink_play.sh PATH/TO/tunewright [PATH/TO/sound_played_position]
# Exit 0 passed, 1 failed, 77 skipped (only when PulseAudio cannot be installed).
set -euo pipefail

tunewright=$1
position=${2:-}
work=$(mktemp -d)
daemon=""
recorder=""

cleanup() {
    if [ -n "$recorder" ]; then kill "$recorder" 2>/dev/null || true; wait "$recorder" 2>/dev/null || true; fi
    if [ -n "$daemon" ]; then kill "$daemon" 2>/dev/null || true; wait "$daemon" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

fail() {
    echo "FAILED: $*" >&2
    [ -f "$work/daemon.log" ] && sed 's/^/  daemon: /' "$work/daemon.log" >&2
    exit 1
}

now_ms() { date +%s%3N; }

# Samples of a raw 16-bit little-endian stream, one a line.
samples() { od -An -v -t d2 -w2 "$1"; }

# "count first last peak" of the samples louder than 1000.
loud_summary() {
    awk '{ v = $1 < 0 ? -$1 : $1; if (v > 1000) { if (!n) first = NR; last = NR; n++ } if (v > peak) peak = v }
         END { print n + 0, first + 0, last + 0, peak + 0 }'
}

ringtone="$work/song.txt"
printf 'Song:d=8,o=5,b=140:c,e,g,4p,c6\n' >"$ringtone"
"$tunewright" wav --from rtttl "$ringtone" -o "$work/song.wav" || fail "tunewright wav failed"
tail -c +45 "$work/song.wav" >"$work/expected.raw"
sound_ms=$(( ($(stat -c %s "$work/expected.raw") / 2) * 1000 / 8000 ))

# With no sound server, playing fails with exit 3 and a reason, and never hangs.
mkdir -m 700 "$work/empty-run"
set +e
env XDG_RUNTIME_DIR="$work/empty-run" HOME="$work" PULSE_SERVER="unix:$work/none/native" \
    timeout 30 "$tunewright" play --from rtttl "$ringtone" >"$work/out" 2>"$work/err"
code=$?
set -e
[ "$code" -ne 124 ] || fail "play without a sound server did not end within 30 s"
[ "$code" -eq 3 ] || fail "play without a sound server gave exit code $code, not 3: $(cat "$work/err")"
[ ! -s "$work/out" ] || fail "play without a sound server wrote to standard output"
grep -q '^error: .' "$work/err" || fail "play without a sound server gave no reason: $(cat "$work/err")"

if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null; then
    if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
        echo "Installing pulseaudio and pulseaudio-utils" >&2
        { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            pulseaudio pulseaudio-utils; } >"$work/install.log" 2>&1 || true
    fi
    if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null; then
        echo "SKIPPED: pulseaudio and parec are not installed and could not be installed" >&2
        exit 77
    fi
fi

# A daemon of our own: its own runtime folder and home, no user configuration,
# only a native socket and a null sink at the ringtone's rate. As root,
# PulseAudio warns but runs in this per-user mode.
mkdir -m 700 "$work/run" "$work/home"
# The program's settings are fresh too: no voice saved for Play, so the beep.
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" PULSE_SERVER="unix:$work/native" XDG_CONFIG_HOME="$work/config"
unset PULSE_SINK PULSE_COOKIE
pulseaudio -n --daemonize=no --system=false --exit-idle-time=-1 --use-pid-file=no --disallow-exit \
    --log-target=stderr --log-level=error \
    -L "module-native-protocol-unix socket=$work/native auth-anonymous=1" \
    -L "module-null-sink sink_name=tw_null rate=8000 channels=1" >"$work/daemon.log" 2>&1 &
daemon=$!
for _ in $(seq 100); do
    kill -0 "$daemon" 2>/dev/null || fail "the PulseAudio daemon did not start"
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl info >/dev/null 2>&1 || fail "the PulseAudio daemon did not answer within 10 s"

parec -d tw_null.monitor --format=s16le --rate=8000 --channels=1 --raw --latency-msec=20 >"$work/recorded.raw" &
recorder=$!
sleep 0.5

started=$(now_ms)
set +e
timeout $(( sound_ms / 1000 + 30 )) "$tunewright" play --from rtttl "$ringtone" >"$work/out" 2>"$work/err"
code=$?
set -e
played_ms=$(( $(now_ms) - started ))
[ "$code" -eq 0 ] || fail "tunewright play gave exit code $code: $(cat "$work/err")"

sleep 0.5
kill -INT "$recorder"
wait "$recorder" 2>/dev/null || true
recorder=""

read -r want_n want_first want_last _ < <(samples "$work/expected.raw" | loud_summary)
read -r got_n got_first got_last got_peak < <(samples "$work/recorded.raw" | loud_summary)
want_span=$(( want_last - want_first + 1 ))
got_span=$(( got_n > 0 ? got_last - got_first + 1 : 0 ))
echo "sound ${sound_ms} ms, play took ${played_ms} ms; loud samples ${got_n} of ${want_n}," \
     "over ${got_span} of ${want_span} samples, peak ${got_peak}"

[ "$got_n" -gt 0 ] || fail "the null sink recorded only silence"
[ $(( got_n * 100 )) -ge $(( want_n * 85 )) ] && [ $(( got_n * 100 )) -le $(( want_n * 110 )) ] ||
    fail "recorded ${got_n} loud samples, expected about ${want_n}"
[ $(( got_span * 100 )) -ge $(( want_span * 85 )) ] && [ $(( got_span * 100 )) -le $(( want_span * 110 )) ] ||
    fail "the sound spread over ${got_span} samples, expected about ${want_span}"
[ "$got_peak" -ge 20000 ] || fail "the loudest recorded sample is ${got_peak}, expected about 30000"

# An instrument voice: a 44.1 kHz image, resampled by the server to the
# sink's rate. Its notes (about 1.3 s, and the marimba's ring) are heard.
parec -d tw_null.monitor --format=s16le --rate=8000 --channels=1 --raw --latency-msec=20 >"$work/voice.raw" &
recorder=$!
sleep 0.5
set +e
timeout 60 "$tunewright" play --from rtttl --voice marimba "$ringtone" >"$work/out" 2>"$work/err"
code=$?
set -e
[ "$code" -eq 0 ] || fail "tunewright play --voice marimba gave exit code $code: $(cat "$work/err")"
sleep 0.5
kill -INT "$recorder"
wait "$recorder" 2>/dev/null || true
recorder=""
read -r voice_n voice_first voice_last voice_peak < <(samples "$work/voice.raw" | loud_summary)
voice_span=$(( voice_n > 0 ? voice_last - voice_first + 1 : 0 ))
echo "marimba: loud samples ${voice_n} over ${voice_span} samples, peak ${voice_peak}"
[ "$voice_n" -gt 0 ] || fail "the marimba was not heard"
[ "$voice_span" -ge 8000 ] || fail "the marimba was heard for ${voice_span} samples, less than its notes' second"
[ "$voice_peak" -ge 10000 ] || fail "the marimba's loudest sample is ${voice_peak}, expected near full scale"
if [ -n "$position" ]; then
    timeout 60 "$position" >"$work/position" 2>&1 || fail "the played position: $(cat "$work/position")"
    echo "played position (sound s, asked, first s, last s): $(cat "$work/position")"
fi
echo "PASSED"
