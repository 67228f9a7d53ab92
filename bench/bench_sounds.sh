#!/usr/bin/env bash
# `sonaplex sounds --json` of a game of many small sounds (Ogg Vorbis, wave and Opus, in folders of
# ten), formats and lengths read, against soxi over the Ogg and wave files plus opusinfo over the
# Opus ones, in interleaved rounds of the same run, each with a fresh empty program folder (every
# file read), then once more with the folder the round left (what was read is remembered). The
# machine's load is printed beside each round.
#   bench_sounds.sh SONAPLEX [FILES] [ROUNDS]
set -euo pipefail
sonaplex=$1
files=${2:-20000}
rounds=${3:-3}
work=$(mktemp -d "${TMPDIR:-/tmp}/bench-sounds.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Three small sounds, copied under many names: every file is read as a file of its own.
sox -n -r 22050 -c 1 -b 16 "$work/t.wav" synth 0.5 sine 440 2>/dev/null
sox "$work/t.wav" "$work/t.ogg"
opusenc --quiet --bitrate 48 "$work/t.wav" "$work/t.opus"
game="$work/game"
for ((i = 0; i < files; i++)); do
    dir="$game/d$((i / 10))"
    ((i % 10 == 0)) && mkdir -p "$dir"
    case $((i % 3)) in
    0) cp "$work/t.ogg" "$dir/s$i.ogg" ;;
    1) cp "$work/t.wav" "$dir/s$i.wav" ;;
    2) cp "$work/t.opus" "$dir/s$i.opus" ;;
    esac
done
sync

now() { date +%s.%N; }
load() { cut -d' ' -f1 /proc/loadavg; }
ours=() theirs=() again=()
for ((r = 1; r <= rounds; r++)); do
    rm -rf "$work/program" && mkdir "$work/program"
    t0=$(now)
    "$sonaplex" --program-folder "$work/program" sounds "$game" --json >"$work/ours.json"
    t1=$(now)
    find "$game" -type f \( -name '*.ogg' -o -name '*.wav' \) -print0 | xargs -0 soxi >/dev/null 2>&1
    find "$game" -type f -name '*.opus' -print0 | xargs -0 opusinfo >/dev/null 2>&1
    t2=$(now)
    "$sonaplex" --program-folder "$work/program" sounds "$game" --json >"$work/again.json"
    t3=$(now)
    cmp -s "$work/ours.json" "$work/again.json" || echo "round $r: the second listing differs from the first" >&2
    a=$(awk "BEGIN {print $t1 - $t0}") b=$(awk "BEGIN {print $t2 - $t1}") c=$(awk "BEGIN {print $t3 - $t2}")
    ours+=("$a") theirs+=("$b") again+=("$c")
    printf 'round %d: sonaplex sounds %.2f s, soxi+opusinfo %.2f s, ratio %.2f; listed again %.2f s, ratio %.2f (load %s)\n' \
        "$r" "$a" "$b" "$(awk "BEGIN {print $a / $b}")" "$c" "$(awk "BEGIN {print $c / $b}")" "$(load)"
done
listed=$(grep -c '"seconds"' "$work/ours.json" || true)
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
a=$(median "${ours[@]}") b=$(median "${theirs[@]}") c=$(median "${again[@]}")
printf 'sounds --json of %d sounds (%d with a length): median %.2f s, reference %.2f s, ratio %.2f (target 1.5); listed again %.2f s, ratio %.2f\n' \
    "$files" "$listed" "$a" "$b" "$(awk "BEGIN {print $a / $b}")" "$c" "$(awk "BEGIN {print $c / $b}")"
