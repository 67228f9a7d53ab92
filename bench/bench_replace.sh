#!/usr/bin/env bash
# A whole game replaced from the command line, against the tools that do one part of the job,
# in interleaved rounds of the same run, each on a fresh copy of the game and a fresh program
# folder. The machine's load is printed beside each round.
#   - `replace` of FILES wave files (no conversion)     against `cp -r` of them over a copy of
#                                                       the game + `sync`
#   - `replace --convert` of 200 music-like 44.1 kHz stereo wave files into a game of 22 kHz
#     mono Ogg Vorbis files                             against `sox` per file + `sync`
#   - the same into a game of 48 kbit/s Opus files      against `opusenc --downmix-mono` per
#     file + `sync`, with the sizes of both
# Bytes written are the kernel's count of the program's block writes (GNU time's %O).
#   bench_replace.sh SONAPLEX [FILES] [ROUNDS]
set -euo pipefail
sonaplex=$1
files=${2:-2000}
rounds=${3:-3}
converted=200
work=$(mktemp -d "${TMPDIR:-/tmp}/bench-replace.XXXXXX")
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }
load() { cut -d' ' -f1 /proc/loadavg; }
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
ratio() { awk "BEGIN {printf \"%.2f\", $1 / $2}"; }

# A game of FILES short wave sounds in folders of ten, and as many replacements of the same
# format under the same names: nothing is converted.
sox -n -r 22050 -c 1 -b 16 "$work/a.wav" synth 1 sine 440 2>/dev/null
sox -n -r 22050 -c 1 -b 16 "$work/b.wav" synth 1 pinknoise vol 0.3 2>/dev/null
for ((i = 0; i < files; i++)); do
    d=d$((i / 10))
    ((i % 10 == 0)) && mkdir -p "$work/wave-game/$d" "$work/wave-from/$d"
    cp "$work/a.wav" "$work/wave-game/$d/s$i.wav"
    cp "$work/b.wav" "$work/wave-from/$d/s$i.wav"
done

# 200 music-like replacements (chords and noise, 2 s, each its own), and the two games they go
# into, one of Vorbis and one of Opus files.
mkdir -p "$work/music" "$work/vorbis-game" "$work/opus-game"
for ((i = 0; i < converted; i++)); do
    sox -n -r 44100 -c 2 -b 16 "$work/music/m$i.wav" synth 2 sine $((200 + i)) sine $((300 + 2 * i)) \
        pinknoise remix 1,2,3 1,2,3 vol 0.3 2>/dev/null
done
# The game files are made as a game's makers would: of music, by the same tools.
sox "$work/music/m0.wav" -r 22050 -c 1 "$work/g.ogg"
opusenc --quiet --bitrate 48 --downmix-mono "$work/music/m0.wav" "$work/g.opus"
for ((i = 0; i < converted; i++)); do
    cp "$work/g.ogg" "$work/vorbis-game/m$i.ogg"
    cp "$work/g.opus" "$work/opus-game/m$i.opus"
done
sync

# ours NAME GAME FROM [OPTIONS]: replace on a fresh copy of GAME, timed; prints seconds and blocks.
ours() {
    local game=$1 from=$2
    shift 2
    rm -rf "$work/g" "$work/program" && cp -r "$game" "$work/g" && mkdir "$work/program" && sync
    local t0 t1
    t0=$(now)
    /usr/bin/time -f %O -o "$work/blocks" \
        "$sonaplex" --program-folder "$work/program" replace "$work/g" --from "$from" "$@" >/dev/null
    t1=$(now)
    echo "$(awk "BEGIN {print $t1 - $t0}") $(cat "$work/blocks")"
}
# reference [--over GAME] COMMAND...: run on a fresh output folder (a copy of GAME), then sync, timed.
reference() {
    rm -rf "$work/out"
    if [[ $1 == --over ]]; then
        cp -r "$2" "$work/out"
        shift 2
    else
        mkdir "$work/out"
    fi
    sync
    local t0 t1
    t0=$(now)
    "$@"
    sync
    t1=$(now)
    awk "BEGIN {print $t1 - $t0}"
}
copyAll() { cp -r "$work/wave-from/." "$work/out/"; }
soxAll() { for f in "$work"/music/*.wav; do sox "$f" -r 22050 -c 1 "$work/out/$(basename "$f" .wav).ogg"; done; }
opusAll() {
    for f in "$work"/music/*.wav; do
        opusenc --quiet --bitrate 48 --downmix-mono "$f" "$work/out/$(basename "$f" .wav).opus"
    done
}

rw=() cw=() rv=() cv=() ro=() co=()
bytes=$(du -sb "$work/wave-from" | cut -f1)
for ((r = 1; r <= rounds; r++)); do
    read -r a blocks < <(ours "$work/wave-game" "$work/wave-from")
    b=$(reference --over "$work/wave-game" copyAll)
    rw+=("$a") cw+=("$b")
    printf 'round %d: replace %d wave files %.2f s, cp -r + sync %.2f s, ratio %s, %.2f bytes written per byte (load %s)\n' \
        "$r" "$files" "$a" "$b" "$(ratio "$a" "$b")" "$(awk "BEGIN {print $blocks * 512 / $bytes}")" "$(load)"

    read -r a _ < <(ours "$work/vorbis-game" "$work/music" --convert)
    b=$(reference soxAll)
    rv+=("$a") cv+=("$b")
    printf 'round %d: replace --convert %d into Vorbis %.2f s, sox + sync %.2f s, ratio %s (load %s)\n' \
        "$r" "$converted" "$a" "$b" "$(ratio "$a" "$b")" "$(load)"

    read -r a _ < <(ours "$work/opus-game" "$work/music" --convert)
    b=$(reference opusAll)
    ro+=("$a") co+=("$b")
    ourSize=$(du -sb "$work/g" | cut -f1) theirSize=$(du -sb "$work/out" | cut -f1)
    printf 'round %d: replace --convert %d into Opus %.2f s, opusenc + sync %.2f s, ratio %s, size %s of opusenc'"'"'s (load %s)\n' \
        "$r" "$converted" "$a" "$b" "$(ratio "$a" "$b")" "$(ratio "$ourSize" "$theirSize")" "$(load)"
done
summary() {
    local what=$1 target=$2
    shift 2
    local n=$(($# / 2))
    local a b
    a=$(median "${@:1:n}") b=$(median "${@:n+1}")
    printf '%s: median %.2f s, reference %.2f s, ratio %s (target %s)\n' "$what" "$a" "$b" "$(ratio "$a" "$b")" "$target"
}
summary "replace of $files wave files" 1.5 "${rw[@]}" "${cw[@]}"
summary "replace --convert of $converted into Vorbis" 1.2 "${rv[@]}" "${cv[@]}"
summary "replace --convert of $converted into Opus" 1.0 "${ro[@]}" "${co[@]}"
