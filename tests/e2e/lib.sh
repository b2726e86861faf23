# Helpers for the end-to-end tests: the real program and chatroom.exe under Wine in the build's
# virtual display, driven with xdotool as a person would, checked through the room's log,
# screenshots and the scheme files. Sourced by the test scripts:
#   source lib.sh BUILD_DIR
#   e2e_start_room; e2e_start_program; e2e_click 310 64; e2e_wait_log 3
set -euo pipefail

E2E_BUILD=$(cd "$1" && pwd)
E2E_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
eval "$("$E2E_SCRIPTS/wine-env" env "$E2E_BUILD/wine")"
export DISPLAY WINEPREFIX WINELOADER
E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/qf-e2e.XXXXXX")
E2E_EXE_NAME="Quelvane Fader 1.0.exe"
# The program runs from a folder of its own, so its scheme files are this test's alone.
cp "$E2E_BUILD/bin/$E2E_EXE_NAME" "$E2E_DIR/"
E2E_LOG=$E2E_DIR/room.log
E2E_PIDS=()
# The main window's top-left corner on the screen: it opens there and tests do not move it.
E2E_LEFT=333
E2E_TOP=7
E2E_FAILURES=0

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

e2e_fail() {
  echo "FAIL: $*" >&2
  E2E_FAILURES=$((E2E_FAILURES + 1))
}

e2e_check() {  # e2e_check WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok: $1"; else e2e_fail "$1: expected [$2], got [$3]"; fi
}

# Waits until COMMAND succeeds or SECONDS pass: e2e_until 10 test -f file
e2e_until() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}

e2e_start_room() {  # [chatroom.exe options]
  : >"$E2E_LOG"
  "$WINELOADER" "$E2E_BUILD/bin/chatroom.exe" --log "$E2E_LOG" "$@" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  e2e_until 20 grep -q '^ready' "$E2E_LOG" || { e2e_fail "chatroom.exe did not start"; return 1; }
}

# Starts the program and waits until its window is on the screen (its skin's pixels show at
# the close button). Start-up sends the announcement first, so with a room open this takes
# two seconds and more.
e2e_start_program() {
  (cd "$E2E_DIR" && exec "$WINELOADER" "$E2E_EXE_NAME" >/dev/null 2>&1) &
  E2E_PROGRAM=$!
  E2E_PIDS+=($E2E_PROGRAM)
  e2e_until 30 e2e_program_shown || { e2e_fail "the main window did not appear"; return 1; }
}

e2e_program_shown() {
  xdotool search --onlyvisible --name '^Quelvane Fader 1\.0$' >/dev/null 2>&1
}

e2e_program_running() { kill -0 "$E2E_PROGRAM" 2>/dev/null; }

# Posted lines of the room's log after "ready", without the CR.
e2e_posted() { tail -n +2 "$E2E_LOG" | tr -d '\r'; }
e2e_posted_count() { e2e_posted | grep -c . || true; }
e2e_wait_log() {  # e2e_wait_log N [seconds]: until N lines were posted
  e2e_until "${2:-15}" e2e_posted_at_least "$1" || e2e_fail "waited for $1 posted lines, saw $(e2e_posted_count)"
}
e2e_posted_at_least() { [ "$(e2e_posted_count)" -ge "$1" ]; }

# Mouse and keyboard at the main window's pixel positions.
e2e_click() {  # x y [button]
  xdotool mousemove $((E2E_LEFT + $1)) $((E2E_TOP + $2)) click "${3:-1}"
  sleep 0.2
}
e2e_double_click() {
  xdotool mousemove $((E2E_LEFT + $1)) $((E2E_TOP + $2)) click --repeat 2 --delay 80 1
  sleep 0.2
}
e2e_type() { xdotool type --delay 15 "$1"; sleep 0.2; }

# The colour of the screen pixel at the main window's (x, y), as RRGGBB.
e2e_pixel() {
  import -window root "$E2E_DIR/shot.png"
  convert "$E2E_DIR/shot.png" -crop "1x1+$((E2E_LEFT + $1))+$((E2E_TOP + $2))" -depth 8 txt:- |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr a-f A-F
}

# The bytes of a text as the room logs them: upper-case hex. ASCII texts only.
e2e_hex() { printf '%s' "$1" | od -An -tx1 -v | tr -d ' \n' | tr a-f A-F; }

# The markup the fade engine gives (qfade.exe of the same build), as logged hex.
e2e_fade_hex() {  # [--wavy] COLOURS TEXT
  local markup
  markup=$("$WINELOADER" "$E2E_BUILD/bin/qfade.exe" "$@" | tr -d '\r\n')
  e2e_hex "$markup"
}

e2e_finish() {
  if [ "$E2E_FAILURES" -eq 0 ]; then echo "all checks passed"; else echo "$E2E_FAILURES check(s) failed"; fi
  [ "$E2E_FAILURES" -eq 0 ]
}
