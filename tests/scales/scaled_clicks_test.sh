#!/usr/bin/env bash
# At a display scale (E2E_SCALE, e.g. 1.5), the main window's other click areas at their scaled
# places: a double click on a colour box opens the colour dialog, the diamond opens the menu,
# FADES opens the scheme manager, and the windows are the scaled size.
#   E2E_SCALE=1.5 E2E_WINE_STATE=DIR tests/scales/scaled_clicks_test.sh BUILD_DIR
source "$(dirname "$0")/../e2e/lib.sh" "$1"

MAIN='QfForm|Quelvane Fader 1.0'
SCHEMES='QfForm|Add/Remove Fades'
MENU='#32768|'
COLOUR='#32770|Color'

# The rectangle of the first shown window "CLASS|TITLE": left,top,width,height.
window_rect() {
  e2e_windows | awk -v head="$1" '
    /^W / { line = $0; sub(/^W [^ ]* /, "", line); if (line == head) { print $2; exit } }'
}

e2e_start_program
e2e_wait_window "$MAIN"
qf_rect main.window
e2e_check "the main window where and as large as the scale makes it" \
  "$(IFS=,; echo "${QF_RECT[*]}")" "$(window_rect "$MAIN")"

e2e_double_at main.colour1
e2e_wait_window "$COLOUR" && echo "ok: a double click on colour box 1 opens the colour dialog"
xdotool key Escape
e2e_wait_window_gone "$COLOUR"

e2e_at main.menu
e2e_wait_window "$MENU" && echo "ok: the diamond opens the menu"
xdotool key Escape
e2e_wait_window_gone "$MENU"

e2e_at main.fades
e2e_wait_window "$SCHEMES" && echo "ok: FADES opens the scheme manager"
qf_rect schemes.window
e2e_check "the scheme manager where and as large as the scale makes it" \
  "$(IFS=,; echo "${QF_RECT[*]}")" "$(window_rect "$SCHEMES")"

e2e_exit_program
e2e_finish
