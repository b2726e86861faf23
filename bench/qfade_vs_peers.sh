#!/usr/bin/env bash
# What a run of qfade costs as a user sees it, beside `cat` of the same input (the floor: a
# process that reads the line and writes it out) and, when they are installed, two programs that
# also give every character its own colour: toilet (--gay -E html3 -f term, one colour tag per
# character) and lolcat (-f -t); qfade in its default markup (aol) and in each other format.
# Then qfade's throughput on a 10 MB line beside `cat` of its own output, its peak memory on
# both lines, and the length of a 40-character line in each format, plain and fitted to 255.
#
#   bench/qfade_vs_peers.sh [--runs N] [--qfade PATH]
#
# Input: a 32,767-character line (the longest the chat box holds; the text of fade_bench) on
# standard input; qfade fades it through 10 stops. Each round runs every command once, in turn
# (starting one further on each round), so drifting load on a shared machine hits them all
# alike; the first round only warms up.
# A run is timed from fork to exit with bash's $EPOCHREALTIME (microseconds; /usr/bin/time
# counts elapsed time in 10 ms steps, too coarse for millisecond runs); output goes to
# /dev/null. Prints each command's median and its ratio to cat's median of the same run.
# Exit status: 0 when qfade's median is at most 1.3 times cat's (1.5 times in the formats other
# than aol) and below every peer's, else 1.
set -euo pipefail
export LC_ALL=C  # $EPOCHREALTIME with a decimal point, whatever the locale
cd "$(dirname "$0")/.."

runs=11
qfade=build/native/bin/qfade
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    --qfade) qfade=$2; shift 2 ;;
    *) echo "usage: $0 [--runs N] [--qfade PATH]" >&2; exit 2 ;;
  esac
done
if [ ! -x "$qfade" ]; then
  echo "no $qfade: build it first (cmake --preset native && cmake --build --preset native)" >&2
  exit 2
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pattern='Quelvane Fader: the quick brown fox <jumps> & runs. '
line() {  # line BYTES: the pattern repeated to BYTES characters, no newline
  head -c "$1" < <(while :; do printf '%s' "$pattern$pattern$pattern$pattern"; done)
}
line 32767 >"$tmp/line"
stops='#FFCC00,#0000FF,#FF4400,#00FF00,#808080,#123456,#FFFFFF,#000000,#00FFFF,#AB00CD'

# The commands, each a name and a command line run with the line on standard input: qfade
# (aol) and cat first, then qfade in the other formats, then the peers.
names=(qfade cat)
commands=("$qfade $stops -" "cat")
formats=(html bbcode minimessage mc-hex mc-x mc-section ansi)
for format in "${formats[@]}"; do
  names+=("qfade --format $format")
  commands+=("$qfade --format $format $stops -")
done
first_peer=${#commands[@]}
skipped=()
find_peer() {  # find_peer PROGRAM: its path (Debian puts lolcat in /usr/games), or nothing
  command -v "$1" 2>/dev/null || { [ -x "/usr/games/$1" ] && echo "/usr/games/$1"; } || true
}
toilet=$(find_peer toilet)
if [ -n "$toilet" ]; then
  names+=("toilet --gay -E html3 -f term")
  commands+=("$toilet --gay -E html3 -f term")
else
  skipped+=(toilet)
fi
lolcat=$(find_peer lolcat)
if [ -n "$lolcat" ]; then
  names+=("lolcat -f -t")
  commands+=("$lolcat -f -t")
else
  skipped+=(lolcat)
fi

# Check every command works on the input before timing it.
for k in "${!commands[@]}"; do
  if ! ${commands[$k]} <"$tmp/line" >/dev/null 2>"$tmp/err"; then
    echo "${names[$k]} failed: $(head -c 300 "$tmp/err")" >&2
    exit 2
  fi
done

declare -A times
count=${#commands[@]}
for ((round = 0; round <= runs; round++)); do
  # Each round starts one command further on, so no command always follows the same one (a
  # run right after lolcat's few hundred milliseconds of Ruby finds colder caches).
  for ((i = 0; i < count; i++)); do
    k=$(((round + i) % count))
    t0=$EPOCHREALTIME
    ${commands[$k]} <"$tmp/line" >/dev/null
    t1=$EPOCHREALTIME
    [ "$round" -eq 0 ] && continue  # warm-up
    times[$k]+="$((${t1/./} - ${t0/./})) "
  done
done

median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
declare -a medians
for k in "${!commands[@]}"; do medians[$k]=$(median <<<"${times[$k]}"); done
cat_us=${medians[1]}

printf 'A 32,767-character line, qfade with 10 stops; median of %d interleaved runs, whole process, output to /dev/null\n' "$runs"
printf '  %-32s %10s %8s\n' command "median ms" "x cat"
for k in "${!commands[@]}"; do
  awk -v n="${names[$k]}" -v t="${medians[$k]}" -v c="$cat_us" \
    'BEGIN {printf "  %-32s %10.3f %8.2f\n", n, t / 1000, t / c}'
done
[ ${#skipped[@]} -eq 0 ] || echo "  skipped (not installed): ${skipped[*]}"

verdict=0
ratio=$(awk -v q="${medians[0]}" -v c="$cat_us" 'BEGIN {printf "%.2f", q / c}')
if awk -v r="$ratio" 'BEGIN {exit !(r > 1.3)}'; then
  echo "qfade is $ratio times cat: above the 1.3 target"
  verdict=1
else
  echo "qfade is $ratio times cat: within the 1.3 target"
fi
worst=0 worst_name=
for ((k = 2; k < first_peer; k++)); do
  r=$(awk -v q="${medians[$k]}" -v c="$cat_us" 'BEGIN {printf "%.2f", q / c}')
  if awk -v r="$r" -v w="$worst" 'BEGIN {exit !(r > w)}'; then worst=$r worst_name=${names[$k]}; fi
done
if awk -v r="$worst" 'BEGIN {exit !(r > 1.5)}'; then
  echo "$worst_name is $worst times cat: above the 1.5 target of the other formats"
  verdict=1
else
  echo "the other formats are within the 1.5 target: at most $worst times cat ($worst_name)"
fi
for ((k = first_peer; k < ${#commands[@]}; k++)); do
  if [ "${medians[0]}" -ge "${medians[$k]}" ]; then
    echo "qfade is not faster than ${names[$k]}"
    verdict=1
  else
    awk -v n="${names[$k]}" -v q="${medians[0]}" -v p="${medians[$k]}" \
      'BEGIN {printf "qfade is %.1f times faster than %s\n", p / q, n}'
  fi
done

# Throughput on a 10 MB line: qfade's output bytes per second, beside cat of that very output
# (the floor: reading as many bytes as qfade writes and writing them out), both to /dev/null,
# median of interleaved runs.
line $((10 * 1024 * 1024)) >"$tmp/big"
"$qfade" "$stops" - <"$tmp/big" >"$tmp/big.out"
out_bytes=$(stat -c %s "$tmp/big.out")
big_q=() big_c=()
for ((round = 0; round <= 5; round++)); do
  t0=$EPOCHREALTIME
  "$qfade" "$stops" - <"$tmp/big" >/dev/null
  t1=$EPOCHREALTIME
  cat "$tmp/big.out" >/dev/null
  t2=$EPOCHREALTIME
  [ "$round" -eq 0 ] && continue  # warm-up
  big_q+=("$((${t1/./} - ${t0/./}))")
  big_c+=("$((${t2/./} - ${t1/./}))")
done
qb=$(median <<<"${big_q[*]}")
cb=$(median <<<"${big_c[*]}")
awk -v q="$qb" -v c="$cb" -v b="$out_bytes" 'BEGIN {
  printf "10 MB line (%.0f MB of markup), median of 5 interleaved runs: qfade %.1f ms, %.2f GB/s of output;", b / 1e6, q / 1000, b / q / 1000
  printf " cat of that output %.1f ms, %.2f GB/s; qfade %.2f times cat\n", c / 1000, b / c / 1000, q / c }'
rm -f "$tmp/big.out"

# Peak memory (maximum resident set size) of qfade: flat whatever the length of the line.
if [ -x /usr/bin/time ]; then
  peak() {  # peak INPUT [pipe]: qfade's peak memory in MB with INPUT on standard input
    if [ "${2:-}" = pipe ]; then
      cat "$1" | /usr/bin/time -f %M -o "$tmp/rss" "$qfade" "$stops" - >/dev/null
    else
      /usr/bin/time -f %M -o "$tmp/rss" "$qfade" "$stops" - <"$1" >/dev/null
    fi
    awk '{printf "%.1f MB", $1 / 1024}' "$tmp/rss"
  }
  echo "qfade peak memory: $(peak "$tmp/line") on the 32,767-character line;" \
    "$(peak "$tmp/big") on a 10 MB line from a file, $(peak "$tmp/big" pipe) from a pipe"
else
  echo "qfade peak memory: skipped (no /usr/bin/time; Debian package time)"
fi

# How long a chat line gets: 40 characters of the line, 10 stops, in each format, as it is
# and fitted to 255 characters (the limit of many chat boxes), in characters of output.
head -c 40 "$tmp/line" >"$tmp/forty"
chars() { LC_ALL=C.UTF-8 wc -m <"$1" | awk '{print $1 - 1}'; }  # without the newline
echo "A 40-character line with 10 stops, in characters: plain, and fitted to 255 (--max 255)"
printf '  %-12s %7s %9s\n' format plain "max 255"
for format in aol "${formats[@]}"; do
  "$qfade" --format "$format" "$stops" - <"$tmp/forty" >"$tmp/plain.out"
  if "$qfade" --format "$format" --max 255 "$stops" - <"$tmp/forty" >"$tmp/fit.out" 2>"$tmp/fit.err"; then
    fitted=$(chars "$tmp/fit.out")
  else
    fitted="does not fit: $(sed 's/^qfade: //' "$tmp/fit.err")"
  fi
  printf '  %-12s %7s %9s\n' "$format" "$(chars "$tmp/plain.out")" "$fitted"
done
exit $verdict
