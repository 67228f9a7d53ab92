#!/usr/bin/env bash
# Runs the program RUNS times: each run plays a sound (wave and MIDI in turn) and ends while it
# still sounds. Fails when any run does not end cleanly (an abort at exit, a crash, an error).
# Usage: play_and_exit_many.sh PLAY_AND_EXIT RUNS WAVE_FILE
set -u
tool=$1 runs=$2 wave=$3
home=$(mktemp -d /tmp/sonaplex-exits.XXXXXX)
trap 'rm -rf "$home"' EXIT
# A short song: a program change, one note, the end of the track.
music=$home/song.mid
printf 'MThd\0\0\0\6\0\0\0\1\1\340MTrk\0\0\0\20\0\300\060\0\220\074\144\203\140\200\074\0\0\377\057\0' >"$music"
bad=0
for i in $(seq 1 "$runs"); do
  file=$wave
  [ $((i % 2)) -eq 0 ] && file=$music
  if ! HOME=$home QT_QPA_PLATFORM=offscreen "$tool" "$file" $((40 + i % 5 * 30)) >"$home/out" 2>&1; then
    echo "run $i ($file) ended with status $?:"
    grep -v 'plugin does not support' "$home/out"
    bad=$((bad + 1))
  fi
done
echo "$bad of $runs runs did not end cleanly"
[ "$bad" -eq 0 ]
