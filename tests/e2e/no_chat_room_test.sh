#!/usr/bin/env bash
# The main window with no chat room open: SEND keeps the line and says why in the preview strip,
# Cancel in the colour dialog keeps a box's colour, and FADES brings a covered scheme manager
# back to the front. A screenshot of the notice is kept in the build's e2e-shots folder.
#   tests/e2e/no_chat_room_test.sh BUILD_DIR
source "$(dirname "$0")/lib.sh" "$1"

MAIN='QfForm|Quelvane Fader 1.0'
SCHEMES='QfForm|Add/Remove Fades'
FADER='QfForm|HTML Fader'
MENU='#32768|'
COLOUR='#32770|Color'
SHOTS=$E2E_BUILD/e2e-shots
mkdir -p "$SHOTS"

# Boxes 1..3 red, green and blue from a saved scheme.
printf 'Primaries\r\n' >"$E2E_DIR/scheme.lst"
printf '[Primaries]\r\nFade1=255\r\nFade2=65280\r\nFade3=16711680\r\n' >"$E2E_DIR/color.dat"
e2e_start_program

# SEND with nobody to receive the line: it stays as typed, and the strip says so. The notice
# is the sign that the SEND was handled: the line is read after it.
e2e_at main.box3
e2e_at main.text; e2e_type "Keep me"
e2e_at main.send
notice() { e2e_window_lines "$MAIN" | sed -n 's/^[^|]*|\(No chat room.*\)$/\1/p'; }
notice_shown() { [ -n "$(notice)" ]; }
notice_gone() { ! notice_shown; }
e2e_until 5 notice_shown || true
e2e_check "the strip tells why" "No chat room is open — your line was kept" "$(notice)"
e2e_check "SEND with no room keeps the line" "Keep me" "$(e2e_control_texts "$MAIN" Edit | head -1)"
import -window root "$SHOTS/no_room_notice.png"
strip_yellow() {  # the notice's letters are yellow on the black strip
  local strip
  strip=$(qf_geometry main.preview)
  convert "$SHOTS/no_room_notice.png" -crop "$strip" -depth 8 txt:- |
    awk -F'[(,)]' '/^[0-9]/ { if ($3 > 200 && $4 > 200 && $5 < 80) n++ } END { print (n > 20) ? "yes" : "no" }'
}
e2e_check "the notice shows in the strip" yes "$(strip_yellow)"
# Typing on: the strip shows the preview again, and the line holds what was typed.
e2e_type "!"
e2e_until 5 notice_gone || true
e2e_check "the notice gives way to the preview" "" "$(notice)"
e2e_check "typing goes on in the kept line" "Keep me!" "$(e2e_control_texts "$MAIN" Edit | head -1)"

# Cancel in the colour dialog: box 3 stays blue.
e2e_double_at main.colour3
e2e_wait_window "$COLOUR" && xdotool key Escape
e2e_wait_window_gone "$COLOUR"
sleep 0.3
e2e_check "Cancel keeps box 3's colour" "FF0000 00FF00 0000FF" \
  "$(e2e_colour_boxes | cut -d' ' -f1-3)"

# FADES while the scheme manager is open but covered: it comes to the front. It is dragged
# by its background until its top is at the main window's middle; the main window goes away
# to the HTML fader and comes back with its close area, shown again on top.
e2e_at main.fades
e2e_wait_window "$SCHEMES"
qf_rect schemes.window; schemes_top=${QF_RECT[1]}
qf_rect main.window; target_top=$((QF_RECT[1] + QF_RECT[3] / 2))
qf_point schemes.background
rise=$((schemes_top - target_top))
xdotool mousemove "$QF_X" "$QF_Y" mousedown 1 \
  mousemove "$QF_X" $((QF_Y - rise / 3)) mousemove "$QF_X" $((QF_Y - 2 * rise / 3)) \
  mousemove "$QF_X" $((QF_Y - rise)) mouseup 1
sleep 0.5
import -window root "$SHOTS/no_room_dragged.png"
e2e_at main.menu
e2e_wait_window "$MENU" && xdotool key Down Return  # the first item, "HTML Fader"
e2e_wait_window "$FADER"
e2e_at fader.close
e2e_wait_window "$MAIN"
first_of() {  # which of the two windows is higher in the z-order (wintext lists top first)
  e2e_windows | awk -v a="$MAIN" -v b="$SCHEMES" '
    /^W / { line = $0; sub(/^W [^ ]* /, "", line); if (line == a || line == b) { print line; exit } }'
}
front_is() { [ "$(first_of)" = "$1" ]; }
e2e_check "shown again, the main window covers the scheme manager" "$MAIN" "$(first_of)"
e2e_at main.fades
e2e_until 5 front_is "$SCHEMES" || true
e2e_check "FADES again brings the scheme manager to the front" "$SCHEMES" "$(first_of)"
e2e_exit_program
e2e_finish
