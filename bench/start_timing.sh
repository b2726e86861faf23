# Timing a Windows program's start under Wine, for the bench scripts that source this file
# (the Wine environment must be in place: eval "$(scripts/wine-env env ...)").
#   qf_started DIR EXE TITLE   starts EXE from DIR and waits until a window titled TITLE (an
#                              xdotool pattern) is on the screen; sets `pid` to the program's
#                              process and `elapsed` to the milliseconds taken. Exits the
#                              script when the program ends first or shows nothing in 30 s.
#   qf_stop                    kills that process and waits a moment for Wine to settle
#   qf_median N...             the median of the numbers (the lower middle of an even count)

qf_started() {
  local dir=$1 exe=$2 title=$3 start
  start=$(date +%s%N)
  (cd "$dir" && exec "$WINELOADER" "$exe") >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "$exe ended before its window showed" >&2; exit 1; }
    [ $(($(date +%s%N) - start)) -lt 30000000000 ] || { echo "$exe: no window after 30 s" >&2; exit 1; }
    sleep 0.01
  done
  elapsed=$((($(date +%s%N) - start) / 1000000))
}

qf_stop() {
  kill -9 "$pid"
  wait "$pid" 2>/dev/null || true
  sleep "${1:-0.5}"
}

qf_median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
