#!/usr/bin/env bash
# The time from starting the program to its window on the screen (warm Wine, no chat room),
# median of 5, with scheme.lst files of several sizes beside it: none, 100 names, the most a
# list may hold (32,767 names), and 16 MiB of empty lines (millions of entries: not read).
#   bench/list_start.sh [BUILD_DIR]      (default build/windows64)
set -euo pipefail
build=$(cd "${1:-build/windows64}" && pwd)
scripts=$(cd "$(dirname "$0")/../scripts" && pwd)
"$scripts/wine-env" start "$build/wine" >/dev/null
eval "$("$scripts/wine-env" env "$build/wine")"
dir=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$dir"' EXIT
cp "$build/bin/Quelvane Fader 1.0.exe" "$dir/"
source "$(dirname "$0")/start_timing.sh"

make_list() {
  case $1 in
    none) rm -f "$dir/scheme.lst" ;;
    100) seq -f 'Scheme %g' 100 | sed 's/$/\r/' >"$dir/scheme.lst" ;;
    32767) seq -f 'A fairly long scheme name %g' 32767 | sed 's/$/\r/' >"$dir/scheme.lst" ;;
    16MiB) head -c $((16 * 1024 * 1024)) /dev/zero | tr '\0' '\n' >"$dir/scheme.lst" ;;
  esac
}

for list in none 100 32767 16MiB; do
  make_list "$list"
  times=()
  for round in 1 2 3 4 5 6; do
    qf_started "$dir" "Quelvane Fader 1.0.exe" '^Quelvane Fader 1\.0$'
    [ "$round" -gt 1 ] && times+=("$elapsed")  # the first warms Wine up
    qf_stop 0.3
  done
  median=$(qf_median "${times[@]}")
  printf 'scheme.lst %-6s start to shown window: %s ms, median %s ms\n' "$list" "${times[*]}" "$median"
done
