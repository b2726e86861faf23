# Helpers for the end-to-end tests: the real program and chatroom.exe under Wine in the build's
# virtual display, driven with xdotool as a person would, checked through the room's log,
# screenshots and the scheme files. Places on the screen are named (main.send, schemes.add,
# fader.bar4...), read from the positions the build writes from the layout tables
# (scripts/positions.sh). Sourced by the test scripts:
#   source lib.sh BUILD_DIR
#   e2e_start_room; e2e_start_program; e2e_at main.send; e2e_wait_log 3
set -euo pipefail

E2E_BUILD=$(cd "$1" && pwd)
E2E_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
source "$E2E_SCRIPTS/positions.sh"
qf_positions_load "$E2E_BUILD/positions.txt"
# E2E_WINE_STATE names another Wine state folder than the build's own (the display-scale tests
# keep one per scale). With E2E_SCALE set (e.g. 1.5 for a prefix at 144 dpi), every named
# position is mapped as the program maps its windows (scripts/positions.sh, QF_DPI).
eval "$("$E2E_SCRIPTS/wine-env" env "${E2E_WINE_STATE:-$E2E_BUILD/wine}")"
QF_DPI=$(awk -v s="${E2E_SCALE:-1}" 'BEGIN { printf "%d", s * 96 + 0.5 }')
# A 96-dpi length at the display's scale, for the few offsets inside a named rectangle.
e2e_px() { qf_px "$1"; }
export DISPLAY WINEPREFIX WINELOADER
E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/qf-e2e.XXXXXX")
E2E_EXE_NAME="Quelvane Fader 1.0.exe"
# The program runs from a folder of its own, so its scheme files are this test's alone.
cp "$E2E_BUILD/bin/$E2E_EXE_NAME" "$E2E_DIR/"
E2E_LOG=$E2E_DIR/room.log
E2E_PIDS=()
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

# Starts the program (the copy in FOLDER, by default the test's own) and waits until its
# window is on the screen. Start-up sends the announcement first, so with a room open this
# takes two seconds and more.
e2e_start_program() {  # [FOLDER]
  (cd "${1:-$E2E_DIR}" && exec "$WINELOADER" "$E2E_EXE_NAME" >/dev/null 2>&1) &
  E2E_PROGRAM=$!
  E2E_PIDS+=($E2E_PROGRAM)
  e2e_until 30 e2e_program_shown || { e2e_fail "the main window did not appear"; return 1; }
}

e2e_program_shown() {
  xdotool search --onlyvisible --name '^Quelvane Fader 1\.0$' >/dev/null 2>&1
}

e2e_program_running() { kill -0 "$E2E_PROGRAM" 2>/dev/null; }
e2e_program_ended() { ! e2e_program_running; }

# Ends the program through the main window's close area and waits until it has gone.
e2e_exit_program() {
  e2e_at main.close
  e2e_until 15 e2e_program_ended || { e2e_fail "the program did not end"; return 1; }
}

# Posted lines of the room's log after "ready", without the CR.
e2e_posted() { tail -n +2 "$E2E_LOG" | tr -d '\r'; }
e2e_posted_count() { e2e_posted | grep -c . || true; }
e2e_wait_log() {  # e2e_wait_log N [seconds]: until N lines were posted
  e2e_until "${2:-15}" e2e_posted_at_least "$1" || e2e_fail "waited for $1 posted lines, saw $(e2e_posted_count)"
}
e2e_posted_at_least() { [ "$(e2e_posted_count)" -ge "$1" ]; }
# The posted lines after the first N, one per line.
e2e_posted_after() { e2e_posted | tail -n +$(($1 + 1)); }

# "Nothing was sent" is checked against a sentinel, not a pause: after the clicks that must
# send nothing, a line that must arrive is sent the same way. The program handles clicks in
# order and posts each line before it handles the next click, so when the sentinel has
# arrived, anything the earlier clicks sent has arrived before it:
#   e2e_mark; (clicks that send nothing); (a send of line L); e2e_expect_only_new "what" "L"
e2e_mark() { E2E_MARK=$(e2e_posted_count); }
e2e_expect_only_new() {  # WHAT EXPECTED_LINE: waits for a line after the mark, then checks
  e2e_wait_log $((E2E_MARK + 1))
  e2e_check "$1" "$2" "$(e2e_posted_after "$E2E_MARK")"
}

# Mouse and keyboard at named places (scripts/positions.sh): the middle of NAME, or the point
# X Y of it (mid, N from the left or top, -N from the right or bottom). Windows are where they
# first open: the tests do not move them, except where they say so. A second click on the same
# spot within half a second would be a double click: wait longer between two single clicks there.
e2e_at() {  # NAME [X Y] [button]
  local button=1
  if [ $# -ge 3 ]; then qf_point "$1" "$2" "$3" || return 1; button=${4:-1}
  else qf_point "$1" || return 1; button=${2:-1}; fi
  xdotool mousemove "$QF_X" "$QF_Y" click "$button"
  sleep 0.2
}
e2e_double_at() {  # NAME
  qf_point "$1" || return 1
  xdotool mousemove "$QF_X" "$QF_Y" click --repeat 2 --delay 80 1
  sleep 0.2
}
# COUNT clicks on the arrow at the far end of a scroll bar (the bottom of an upright bar, the
# right of a lying one): COUNT steps up in value, one at a time.
e2e_arrow_clicks() {  # NAME COUNT
  qf_rect "$1" || return 1
  if [ "${QF_RECT[3]}" -gt "${QF_RECT[2]}" ]; then qf_point "$1" mid -5; else qf_point "$1" -5 mid; fi
  xdotool mousemove "$QF_X" "$QF_Y" click --repeat "$2" --delay 40 1
}
# The mouse away from every window, to the display's bottom-right corner.
e2e_mouse_away() {
  local width height
  read -r width height < <(xdotool getdisplaygeometry)
  xdotool mousemove $((width - 1)) $((height - 1))
}
e2e_type() { xdotool type --delay 15 "$1"; sleep 0.2; }

# The colours of the screen pixels in the middle of each NAME, as RRGGBB from one screenshot,
# space-separated.
e2e_pixels() {  # NAME...
  local name args=()
  for name in "$@"; do
    qf_point "$name" || return 1
    args+=("$QF_X" "$QF_Y")
  done
  e2e_screen_pixels "${args[@]}"
}

# The colours of screen pixels (X Y pairs) from one screenshot, as RRGGBB, space-separated.
e2e_screen_pixels() {
  import -window root "$E2E_DIR/shot.png"
  local out=() colour
  while [ $# -ge 2 ]; do
    colour=$(convert "$E2E_DIR/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- |
      sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr a-f A-F)
    out+=("$colour")
    shift 2
  done
  echo "${out[*]}"
}

# The ten colour boxes of the main window, as RRGGBB from the middle of each.
e2e_colour_boxes() { e2e_pixels main.colour{1..10}; }

# Colour values as color.dat stores them (0x00BBGGRR), as RRGGBB, space-separated.
e2e_rgb() {
  local v out=()
  for v in "$@"; do out+=("$(printf '%02X%02X%02X' $((v & 255)) $((v >> 8 & 255)) $((v >> 16 & 255)))"); done
  echo "${out[*]}"
}

# What is on the screen, read by wintext.exe: one line per visible window ("W <rect>
# <class>|<title>"), its controls ("C <rect> <class>|<text or scroll position>") and list
# items ("I <index> <rect> [*]|<text>"); a rect is left,top,width,height on the screen.
e2e_windows() { "$WINELOADER" "$E2E_BUILD/bin/wintext.exe" 2>/dev/null | tr -d '\r'; }

# Whether a window "CLASS|TITLE" is shown: e2e_window_up 'QfForm|HTML Fader'.
e2e_window_up() {
  e2e_windows | awk -v head="$1" '
    /^W / { line = $0; sub(/^W [^ ]* /, "", line); if (line == head) found = 1 }
    END { exit !found }'
}
e2e_window_down() { ! e2e_window_up "$1"; }
e2e_wait_window() {  # CLASS|TITLE [seconds]
  e2e_until "${2:-10}" e2e_window_up "$1" || { e2e_fail "no window $1"; return 1; }
}
e2e_wait_window_gone() {  # CLASS|TITLE [seconds]
  e2e_until "${2:-10}" e2e_window_down "$1" || { e2e_fail "window $1 still shown"; return 1; }
}

# The lines under the first shown window "CLASS|TITLE" (its controls and list items), without
# their kind and rectangle: "CLASS|TEXT" for a control, "I <index> <height> [*]|TEXT" for an item.
e2e_window_lines() {
  e2e_windows | awk -v head="$1" '
    /^W / { if (inside) exit; line = $0; sub(/^W [^ ]* /, "", line); inside = (line == head); next }
    inside && /^C / { line = $0; sub(/^C [^ ]* /, "", line); print line }
    inside && /^I / { print }'
}
# The texts of the controls of one class under that window, one per line.
e2e_control_texts() {  # CLASS|TITLE CONTROL_CLASS
  e2e_window_lines "$1" | awk -v class="$2|" 'index($0, class) == 1 { print substr($0, length(class) + 1) }'
}
# The items of the list box under that window, one per line; the selected one ends in " *".
e2e_list_items() {  # CLASS|TITLE
  e2e_window_lines "$1" | awk '/^I / { text = substr($0, index($0, "|") + 1); print text (($4 ~ /^\*/) ? " *" : "") }'
}
# Clicks the middle of item N (0 first) of the list box under that window, where the list
# shows it now.
e2e_click_item() {  # CLASS|TITLE N
  local rect x y width height
  rect=$(e2e_window_lines "$1" | awk -v n="$2" '/^I / && $2 == n { print $3; exit }')
  [ -n "$rect" ] || { e2e_fail "no item $2 in the list of $1"; return 1; }
  IFS=, read -r x y width height <<<"$rect"
  xdotool mousemove $((x + width / 2)) $((y + height / 2)) click 1
  sleep 0.2
}
# Whether item N of that window's list is the selected one.
e2e_item_selected() {  # CLASS|TITLE N
  e2e_window_lines "$1" | awk -v n="$2" '/^I / && $2 == n && $4 ~ /^\*/ { found = 1 } END { exit !found }'
}
# The message box (the program's title as caption) now shown: its text. Empty when none.
e2e_message_text() {
  e2e_control_texts '#32770|Quelvane Fader 1.0' Static | grep . || true
}
# Waits for the program's message box, checks its text and closes it with Enter.
e2e_answer_message() {  # WHAT EXPECTED_TEXT
  e2e_wait_window '#32770|Quelvane Fader 1.0' || return 1
  e2e_check "$1" "$2" "$(e2e_message_text)"
  xdotool key Return
  e2e_wait_window_gone '#32770|Quelvane Fader 1.0'
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
