#!/usr/bin/env bash
# Figures of the running program under Wine (warm server, virtual display, no chat room):
#   - the time from starting the program to its window being on the screen, median of 5;
#   - its idle processor use with a 100-character line and 10 stops ticked (the preview timer
#     ticking), over 20 seconds: the program's own time and the Wine server's.
#   bench/program_figures.sh [BUILD_DIR]      (default build/windows64)
set -euo pipefail
build=$(cd "${1:-build/windows64}" && pwd)
scripts=$(cd "$(dirname "$0")/../scripts" && pwd)
exe="$build/bin/Quelvane Fader 1.0.exe"
eval "$("$scripts/wine-env" env "$build/wine" "$("$scripts/wine-env" exe-arch "$exe")")"
dir=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$dir"' EXIT
cp "$exe" "$dir/"
printf 'Ten\r\n' >"$dir/scheme.lst"
{
  printf '[Ten]\r\n'
  for k in 1 2 3 4 5 6 7 8 9 10; do printf 'Fade%d=%d\r\n' "$k" $((k * 1677721)); done
} >"$dir/color.dat"
shown() { xdotool search --onlyvisible --name '^Quelvane Fader 1\.0$' >/dev/null 2>&1; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

starts=()
for round in 1 2 3 4 5 6; do
  start=$(date +%s%N)
  (cd "$dir" && exec "$WINELOADER" "Quelvane Fader 1.0.exe") >/dev/null 2>&1 &
  pid=$!
  until shown; do
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window showed" >&2; exit 1; }
    [ $(($(date +%s%N) - start)) -lt 30000000000 ] || { echo "no window after 30 s" >&2; exit 1; }
    sleep 0.01
  done
  end=$(date +%s%N)
  [ "$round" -gt 1 ] && starts+=($(( (end - start) / 1000000 )))  # the first warms Wine up
  [ "$round" -lt 6 ] && { kill -9 "$pid"; wait "$pid" 2>/dev/null || true; sleep 0.5; }
done
median=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 3p)
echo "start to shown window: ${starts[*]} ms, median $median ms"

# The last one keeps running: a 100-character line, box 10 ticked.
at() { xdotool mousemove $((333 + $1)) $((7 + $2)) click 1; sleep 0.3; }
at 100 65
xdotool type --delay 2 "$(printf 'Quelvane%.0s' $(seq 13) | cut -c1-100)"
at 303 214  # "10."
xdotool mousemove 900 700
sleep 2
# The program's own process: the loader execs into the Windows program under the same pid.
[ "$(tr -d '\0' <"/proc/$pid/cmdline" | grep -c 'Quelvane')" -ge 1 ] || echo "warning: $pid is not the program" >&2
# This prefix's own server: other builds' servers may run beside it.
server=$("$scripts/wine-env" server-pid "$build/wine")
p0=$(ticks "$pid"); s0=$(ticks "$server")
sleep 20
p1=$(ticks "$pid"); s1=$(ticks "$server")
awk -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v hz="$hz" 'BEGIN {
  printf "idle with a 100-character line, 10 stops: program %.2f%% of one core, Wine server %.2f%%\n",
         100 * p / hz / 20, 100 * s / hz / 20 }'
