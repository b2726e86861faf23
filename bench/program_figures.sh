#!/usr/bin/env bash
# Figures of the running program under Wine (warm server, virtual display, no chat room):
#   - the time from starting the program to its window being on the screen, beside the same
#     time for floor_window.exe (a program that only registers a class and shows a window of
#     the main window's size): medians of interleaved runs, and their ratio;
#   - its idle processor use with a 100-character line and 10 stops ticked (the preview showing
#     it, nothing changing), over 20 seconds: the program's own time and the Wine server's,
#     and then the Wine server's over 20 seconds with no program running, for comparison.
#   bench/program_figures.sh [--runs N] [BUILD_DIR]      (default: 9 runs, build/windows64)
set -euo pipefail
runs=9
if [ "${1:-}" = --runs ]; then
  runs=$2
  shift 2
fi
build=$(cd "${1:-build/windows64}" && pwd)
scripts=$(cd "$(dirname "$0")/../scripts" && pwd)
exe="$build/bin/Quelvane Fader 1.0.exe"
floor="$build/bin/floor_window.exe"
[ -f "$floor" ] || { echo "no $floor: build the preset first" >&2; exit 2; }
eval "$("$scripts/wine-env" env "$build/wine" "$("$scripts/wine-env" exe-arch "$exe")")"
dir=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$dir"' EXIT
cp "$exe" "$floor" "$dir/"
printf 'Ten\r\n' >"$dir/scheme.lst"
{
  printf '[Ten]\r\n'
  for k in 1 2 3 4 5 6 7 8 9 10; do printf 'Fade%d=%d\r\n' "$k" $((k * 1677721)); done
} >"$dir/color.dat"
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
source "$(dirname "$0")/start_timing.sh"

# Round 0 warms Wine up; then each round starts both, the one first that went second before.
program_ms=()
floor_ms=()
for ((round = 0; round <= runs; round++)); do
  for which in $((round % 2)) $(((round + 1) % 2)); do
    if [ "$which" = 0 ]; then
      qf_started "$dir" "Quelvane Fader 1.0.exe" '^Quelvane Fader 1\.0$'
      [ "$round" -gt 0 ] && program_ms+=("$elapsed")
    else
      qf_started "$dir" floor_window.exe '^Floor window$'
      [ "$round" -gt 0 ] && floor_ms+=("$elapsed")
    fi
    qf_stop
  done
done
pm=$(qf_median "${program_ms[@]}")
fm=$(qf_median "${floor_ms[@]}")
echo "start to shown window, $runs interleaved runs each:"
echo "  program       ${program_ms[*]} ms, median $pm ms"
echo "  floor_window  ${floor_ms[*]} ms, median $fm ms"
awk -v p="$pm" -v f="$fm" 'BEGIN {printf "  program / floor_window: %.2f\n", p / f}'

# The program once more, left running: a 100-character line, box 10 ticked.
qf_started "$dir" "Quelvane Fader 1.0.exe" '^Quelvane Fader 1\.0$'
source "$scripts/positions.sh"
qf_positions_load "$build/positions.txt"
at() { qf_point "$1" && xdotool mousemove "$QF_X" "$QF_Y" click 1; sleep 0.3; }
at main.text
xdotool type --delay 2 "$(printf 'Quelvane%.0s' $(seq 13) | cut -c1-100)"
at main.box10
xdotool mousemove 900 700
sleep 2
# The program's own process: the loader execs into the Windows program under the same pid.
[ "$(tr -d '\0' <"/proc/$pid/cmdline" | grep -c 'Quelvane')" -ge 1 ] || echo "warning: $pid is not the program" >&2
# This prefix's own server: other builds' servers may run beside it.
server=$("$scripts/wine-env" server-pid "$build/wine")
p0=$(ticks "$pid"); s0=$(ticks "$server")
sleep 20
p1=$(ticks "$pid"); s1=$(ticks "$server")
qf_stop
s2=$(ticks "$server")
sleep 20
s3=$(ticks "$server")
awk -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v b=$((s3 - s2)) -v hz="$hz" 'BEGIN {
  printf "idle with a 100-character line, 10 stops: program %.2f%% of one core, Wine server %.2f%%\n",
         100 * p / hz / 20, 100 * s / hz / 20
  printf "the same Wine server with no program running: %.2f%%\n", 100 * b / hz / 20 }'
