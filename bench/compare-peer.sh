#!/usr/bin/env bash
# Whole processes beside a peer: tunewright and the JavaScript RTTTL parser
# rtttl-parse (node, its start included) over the same texts, as medians of
# hyperfine runs, with the peak memory of one run of each.
#
#     bench/compare-peer.sh [TUNEWRIGHT]     (default build-bench/src/app/tunewright)
#
# Needs node, npm and hyperfine (sudo apt-get install -y hyperfine). The peer
# is installed with npm into a temporary folder, never into the project; the
# texts are made here from the benchmarks' own ringtone. A record, never a
# pass or a fail.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build-bench/src/app/tunewright}")
for tool in node npm hyperfine python3; do
    command -v "$tool" >/dev/null || { echo "error: $tool is not installed" >&2; exit 1; }
done
[ -x "$program" ] || { echo "error: no program at $program (cmake --build --preset bench)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm install --silent --no-audit --no-fund rtttl-parse >/dev/null)

# 900 KB of RTTTL (187,000 notes cycling through dots, sharps, pauses and
# every duration) and a collection of 10,000 ringtones of 18 to 22 notes.
python3 - "$work" <<'PY'
import sys
work = sys.argv[1]
cycle = ["8c#.6", "4p", "16g", "2a#7", "8e.", "c", "32f6", "8p.", "4d#", "b"]
notes = lambda n: ", ".join(cycle[i % len(cycle)] for i in range(n))
open(f"{work}/long.txt", "w").write("Bench:d=4,o=5,b=125:" + notes(187000))
open(f"{work}/collection.txt", "w").write(
    "".join(f"Bench {i}:d=4,o=5,b=125:{notes(18 + i % 5)}\n" for i in range(10000)))
PY
# The peer parses the whole text, or every line of the collection in one process.
cat >"$work/peer.js" <<'JS'
const rtttl = require("rtttl-parse");
const text = require("fs").readFileSync(process.argv[3], "utf8");
let notes = 0;
if (process.argv[2] === "each")
    for (const line of text.split("\n")) { if (line) notes += rtttl.parse(line).melody.length; }
else notes = rtttl.parse(text).melody.length;
if (notes === 0) process.exit(1);
JS

echo "$(wc -c <"$work/long.txt") bytes of RTTTL; a collection of $(wc -l <"$work/collection.txt") ringtones"
runs=(
    "peer: rtttl-parse of the 900 KB text|node $work/peer.js one $work/long.txt"
    "tunewright convert --to keypresses|$program convert --from rtttl --to keypresses $work/long.txt"
    "tunewright notes|$program notes --from rtttl $work/long.txt"
    "peer: rtttl-parse of each line of the collection|node $work/peer.js each $work/collection.txt"
    "tunewright convert --each --to keypresses|$program convert --each --from rtttl --to keypresses $work/collection.txt"
    "tunewright --version|$program --version"
)
commands=()
for run in "${runs[@]}"; do commands+=("${run#*|}"); done
hyperfine -N -i --warmup 2 --runs 11 --export-json "$work/times.json" "${commands[@]}" >/dev/null 2>&1

printf '%-50s %10s %12s\n' "What" "Median" "Peak memory"
for i in "${!runs[@]}"; do
    what=${runs[$i]%%|*}
    command=${runs[$i]#*|}
    # shellcheck disable=SC2086
    /usr/bin/time -o "$work/peak" -f '%M' $command >/dev/null 2>&1 || true
    peak=$(tail -1 "$work/peak")
    median=$(python3 -c 'import json,sys; print("%.1f ms" % (json.load(open(sys.argv[1]))["results"][int(sys.argv[2])]["median"] * 1000))' "$work/times.json" "$i")
    printf '%-50s %10s %9s MB\n' "$what" "$median" "$((peak / 1024))"
done
