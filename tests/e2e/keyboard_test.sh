#!/usr/bin/env bash
# The main window with the keyboard alone, beside chatroom.exe: a line typed into the line
# (which has the keyboard as the window shows), box 3 ticked with Tab and Space, Enter and
# Shift+Enter sending the plain and the wavy fade, FADES opened with Enter and the scheme
# manager hidden with Escape, the menu opened and closed, and Alt+F4 ending the program with its
# announcement. No click.
#   tests/e2e/keyboard_test.sh BUILD_DIR
source "$(dirname "$0")/lib.sh" "$1"

MAIN='QfForm|Quelvane Fader 1.0'
SCHEMES='QfForm|Add/Remove Fades'
# Colour boxes 1..3 red, green and blue from a saved scheme, which start-up applies.
printf 'Primaries\r\n' >"$E2E_DIR/scheme.lst"
printf '[Primaries]\r\nFade1=255\r\nFade2=65280\r\nFade3=16711680\r\n' >"$E2E_DIR/color.dat"
COLOURS=255,65280,16711680

# COUNT presses of KEY (Tab, shift+Tab), one after the other.
keys() {  # KEY COUNT
  local presses=()
  for ((i = 0; i < $2; i++)); do presses+=("$1"); done
  xdotool key --delay 40 "${presses[@]}"
  sleep 0.2
}
line_text() { e2e_control_texts "$MAIN" Edit | head -n 1; }

e2e_start_room
e2e_start_program
e2e_wait_log 2
# A window manager gives the new window the keyboard; the bare virtual display has none, so
# the test does it, as the only thing done to the window from outside the keyboard.
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Quelvane Fader 1\.0$' | head -n 1)"

# The line has the keyboard. From it: SEND, SEND WAVY, W, S, I, B, U, the R, G and B sliders,
# box 1, square 1, box 2, square 2, box 3: fifteen Tabs to box 3, and as many back.
e2e_type "Hello there"
e2e_check "the line has the keyboard as the window shows" "Hello there" "$(line_text)"
keys Tab 15
xdotool key space
keys shift+Tab 15
xdotool key Return
e2e_wait_log 3
e2e_check "Tab to box 3, Space, back to the line, Enter: the three-stop fade" \
  "button6 $(e2e_fade_hex "$COLOURS" "Hello there")" "$(e2e_posted | sed -n 3p)"
e2e_check "the sent line is taken out of the line" "" "$(line_text)"

# W is three Tabs from the line: ticked with Space, then Shift+Enter in the line sends wavy.
e2e_type "Up"
keys Tab 3
xdotool key space
keys shift+Tab 3
xdotool key shift+Return
e2e_wait_log 4
e2e_check "Shift+Enter sends the wavy fade" \
  "button6 $(e2e_fade_hex --wavy "$COLOURS" "Up")" "$(e2e_posted | sed -n 4p)"

# FADES is four Shift+Tabs from the line, round the end (close, tray, menu, FADES).
keys shift+Tab 4
xdotool key Return
e2e_wait_window "$SCHEMES" && echo "ok: Enter on FADES opens the scheme manager"
xdotool key Escape
e2e_wait_window_gone "$SCHEMES" && echo "ok: Escape hides the scheme manager"
e2e_check "the main window stays" 0 "$(e2e_window_up "$MAIN"; echo $?)"

# FADES still has the keyboard; the next stop is the menu diamond: Enter opens the menu (and
# the Enter does not reach the menu, which would close it at once), Escape closes it.
xdotool key Tab Return
e2e_wait_window '#32768|' && echo "ok: Tab to the diamond and Enter opens the menu"
xdotool key Escape
e2e_wait_window_gone '#32768|'

# Alt+F4 is the close area: the announcement again (the same two lines as at start), the end.
xdotool key alt+F4
e2e_wait_log 6
e2e_check "Alt+F4 announces the exit, line 1" "$(e2e_posted | sed -n 1p)" "$(e2e_posted | sed -n 5p)"
e2e_check "Alt+F4 announces the exit, line 2" "$(e2e_posted | sed -n 2p)" "$(e2e_posted | sed -n 6p)"
e2e_until 10 e2e_program_ended || e2e_fail "the program did not end"
e2e_finish
