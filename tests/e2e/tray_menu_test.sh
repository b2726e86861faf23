#!/usr/bin/env bash
# The tray and the menu end to end, beside chatroom.exe: the minimise area puts the main window
# away behind an icon in Wine's tray window (its tip is the caption), a single click on the icon
# does nothing, a double click and a right press bring the window back and take the icon away;
# the menu's "Fades" shows the scheme manager beside the main window, its "Exit" announces and
# ends the program. A second start brings the running window back and announces nothing; a
# start during an exit runs once the exit is done.
#   tests/e2e/tray_menu_test.sh BUILD_DIR
source "$(dirname "$0")/lib.sh" "$1"

MAIN='QfForm|Quelvane Fader 1.0'
SCHEMES='QfForm|Add/Remove Fades'
MENU='#32768|'
TIP='tooltips_class32|Quelvane Fader 1.0'

# The icon's window in Wine's standalone tray: "X Y" of its middle on the screen, or nothing.
icon_middle() {
  e2e_windows | awk '/^C .* __winex11_tray_icon\|/ { split($2, r, ","); print r[1] + int(r[3] / 2), r[2] + int(r[4] / 2); exit }'
}
icon_shown() { [ -n "$(icon_middle)" ]; }
icon_gone() { ! icon_shown; }
to_tray() {
  e2e_at main.tray
  e2e_wait_window_gone "$MAIN"
  e2e_until 10 icon_shown || e2e_fail "no tray icon"
}
# Clicks menu item N (0 "HTML Fader", 1 "Fades", 2 "Exit") of the open menu. Clicked, not
# chosen with the keys: after a press on Wine's tray window the X keyboard focus may stay there.
# The items sit at 12, 38 and 64 of the menu's 75 pixels (separators between them).
menu_item() {
  local rect
  e2e_wait_window "$MENU" || return 1
  rect=$(e2e_windows | awk '/^W .* #32768\|$/ { print $2; exit }')
  IFS=, read -r mx my mw mh <<<"$rect"
  xdotool mousemove $((mx + mw / 2)) $((my + mh * (12 + 26 * $1) / 75)) click 1
}
back_from_tray() {  # WHAT
  e2e_wait_window "$MAIN" && echo "ok: $1 brings the window back"
  e2e_until 5 icon_gone || e2e_fail "$1: the icon is still in the tray"
}

e2e_start_room
e2e_start_program
e2e_wait_log 2

to_tray
read -r X Y < <(icon_middle)
xdotool mousemove "$X" "$Y" click 1
e2e_wait_window "$TIP" && echo "ok: the icon's tip is the caption"
sleep 0.6  # what a single click would do has happened by now
e2e_window_down "$MAIN" && echo "ok: a single click on the icon does nothing" ||
  e2e_fail "a single click on the icon showed the window"
sleep 0.4  # not part of a double click with the click above
xdotool mousemove "$X" "$Y" click --repeat 2 --delay 80 1
back_from_tray "a double click on the icon"

to_tray
read -r X Y < <(icon_middle)
xdotool mousemove "$X" "$Y" click 3
back_from_tray "a right press on the icon"

# A second start while the program runs (from the tray, too): the running copy's window comes
# back, and the second copy ends at once, announcing nothing.
to_tray
(cd "$E2E_DIR" && exec "$WINELOADER" "$E2E_EXE_NAME" >/dev/null 2>&1) &
SECOND=$!
E2E_PIDS+=($SECOND)
e2e_until 15 bash -c "! kill -0 $SECOND 2>/dev/null" && echo "ok: the second copy ended" ||
  e2e_fail "the second copy is still running"
back_from_tray "a second start"
e2e_check "a second start: one main window" 1 "$(e2e_windows | grep -c "^W .* $MAIN\$")"

# The menu: "HTML Fader", "Fades", "Exit".
e2e_at main.menu
menu_item 1
e2e_wait_window "$SCHEMES"
e2e_window_up "$MAIN" && echo "ok: Fades leaves the main window shown" || e2e_fail "Fades hid the main window"

# Exit's announcement is the sentinel for the second start: once the program has ended, all
# it sent is in the log, and the only lines since the start-up must be Exit's two.
e2e_at main.menu
menu_item 2
e2e_until 10 e2e_program_ended || e2e_fail "Exit did not end the program"
e2e_wait_log 4
e2e_check "a second start announces nothing: Exit's are the only lines since start-up" \
  "$(e2e_posted | sed -n 1,2p)" "$(e2e_posted_after 2)"
e2e_check "the announcement is typed in (enter)" "enter enter" \
  "$(e2e_posted | sed -n 3,4p | cut -d' ' -f1 | paste -sd' ')"

# Exit, and a new start at once while the exit is still announcing: the ending copy goes, and
# the new one neither hands over to it nor gives up: exactly one copy runs, its window shown.
e2e_start_program
FIRST=$E2E_PROGRAM
qf_point main.close
xdotool mousemove "$QF_X" "$QF_Y" click 1
(cd "$E2E_DIR" && exec "$WINELOADER" "$E2E_EXE_NAME" >/dev/null 2>&1) &
E2E_PROGRAM=$!
E2E_PIDS+=($E2E_PROGRAM)
e2e_until 15 bash -c "! kill -0 $FIRST 2>/dev/null" || e2e_fail "Exit did not end the first copy"
e2e_until 30 e2e_program_shown && sleep 1 && e2e_program_running &&
  echo "ok: a start during an exit runs, its window shown" ||
  e2e_fail "a start during an exit left no copy running"
e2e_check "a start during an exit: one main window" 1 "$(e2e_windows | grep -c "^W .* $MAIN\$")"
e2e_exit_program
e2e_finish
