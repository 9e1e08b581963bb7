#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Opening a 10 MiB project until the program is idle, from the program's start, side by side with
# FeatherPad (a general text editor) opening the same script, in one run under one Xvfb screen:
# the time until the process stops using the processor, and its resident memory then.
# Usage: bench/open_compare.sh QRB2_PROGRAM [RUNS]
set -euo pipefail

PROGRAM="$(realpath "$1")"
RUNS="${2:-3}"
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
WORK="$(mktemp -d)"
trap 'kill "$XVFB" 2>/dev/null || true; rm -rf "$WORK"' EXIT

# The script: the game's 2.3 AI followed by small events up to 10 MiB, with CR LF breaks as the
# project files have them.
awk -v target=$((10 * 1024 * 1024)) '
  { sub(/\r$/, ""); printf "%s\r\n", $0; size += length($0) + 2 }
  END { n = 0; while (size < target) { line = sprintf("event e%d(every, 10)\r\n{\r\n\tcount = count + 1;\r\n}\r\n", n++); printf "%s", line; size += length(line) } }
' "$ROOT/tests/data/corpus/2.3/player0.slo" >"$WORK/script.slo"
mkdir -p "$WORK/project"
cp "$WORK/script.slo" "$WORK/project/SLO.qrb"
sed -n '12,$p' "$ROOT/tests/data/corpus/2.3/player0.vlo" | sed '$d' >"$WORK/project/VLO.qrb"
: >"$WORK/project/Notes.qrb"
printf '"GAME",#FALSE#\r\n' >"$WORK/project/QRB_DATA.DAT"

# A display number no other X server uses: Xvfb picks it and writes it out.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
XVFB=$!
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$WORK/display")"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config"
mkdir -p "$XDG_CONFIG_HOME"
unset QT_QPA_PLATFORM

now_ms() { echo $(($(date +%s%N) / 1000000)); }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo -1; }
rss_kib() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }

# Starts the command, answers the project question of QRB2 when it comes (the seconds the box
# waited are not counted), and prints "milliseconds KiB" once the process has used no processor
# time for a second.
measure() {
  local start answered=0 pid last ticks last_change now box
  start=$(now_ms)
  "$@" >/dev/null 2>&1 &
  pid=$!
  last=-1
  last_change=$start
  local give_up=$((start + 180000))
  while :; do
    if [ "$(now_ms)" -gt "$give_up" ] || ! kill -0 "$pid" 2>/dev/null; then
      echo "open_compare: '$*' did not come to rest" >&2
      kill "$pid" 2>/dev/null || true
      exit 1
    fi
    sleep 0.02
    now=$(now_ms)
    if [ "$answered" = 0 ] && box=$(xdotool search --name '^On start LOADer$' 2>/dev/null | head -1) &&
      [ -n "$box" ]; then
      local shown=$now
      xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
      answered=$(($(now_ms) - shown))
      start=$((start + answered))
    fi
    ticks=$(cpu_ticks "$pid")
    if [ "$ticks" != "$last" ]; then
      last=$ticks
      last_change=$now
    elif [ $((now - last_change)) -ge 1000 ] && xdotool search --pid "$pid" --onlyvisible >/dev/null 2>&1; then
      echo "$((last_change - start)) $(rss_kib "$pid")"
      kill "$pid"
      wait "$pid" 2>/dev/null || true
      return
    fi
  done
}

qrb_times=() feather_times=() qrb_mem=() feather_mem=()
for run in $(seq "$RUNS"); do
  # A fresh copy of the project each time: the workbench's folder lock of a killed run stays.
  cp -r "$WORK/project" "$WORK/project$run"
  read -r t m < <(measure "$PROGRAM" --folder "$WORK/project$run")
  qrb_times+=("$t") qrb_mem+=("$m")
  rm -rf "$WORK/home/.config/featherpad"
  read -r t m < <(measure featherpad --standalone "$WORK/script.slo")
  feather_times+=("$t") feather_mem+=("$m")
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
qt=$(median "${qrb_times[@]}") ft=$(median "${feather_times[@]}")
qm=$(median "${qrb_mem[@]}") fm=$(median "${feather_mem[@]}")
printf '%-58s %10s  %-44s %10s %7s %7s\n' "operation" "value" "baseline (same run)" "value" "ratio" "limit"
awk -v qt="$qt" -v ft="$ft" -v qm="$qm" -v fm="$fm" -v runs="$RUNS" 'BEGIN {
  printf "%-58s %10d  %-44s %10d %7.2f %7.1f%s\n", "open a 10 MiB project until idle, ms (median of " runs ")", qt,
    "FeatherPad opening the same script, ms", ft, qt / ft, 1.0, (qt > ft ? "  OVER" : "")
  printf "%-58s %10d  %-44s %10d %7.2f %7.1f%s\n", "  resident memory then, KiB", qm,
    "FeatherPad, KiB", fm, qm / fm, 1.0, (qm > fm ? "  OVER" : "")
}'
echo "each run (ms/KiB): QRB2 ${qrb_times[*]} / ${qrb_mem[*]}; FeatherPad ${feather_times[*]} / ${feather_mem[*]}"
