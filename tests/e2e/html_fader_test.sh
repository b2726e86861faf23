#!/usr/bin/env bash
# The HTML fader end to end: opened from the menu (the main window goes), a typed line, three
# colours mixed with the scroll bars, Generate twice (two blocks back to back, read from the
# box and selected and copied with the keyboard through the clipboard), Wavy, Clear, and the close area
# (the main window comes back).
#   tests/e2e/html_fader_test.sh BUILD_DIR
source "$(dirname "$0")/lib.sh" "$1"
command -v xclip >/dev/null || { e2e_fail "xclip is missing (scripts/setup installs it)"; exit 1; }

MAIN='QfForm|Quelvane Fader 1.0'
FADER='QfForm|HTML Fader'
MENU='#32768|'
TEXT1=(200 57) TEXT2=(200 150) GENERATE=(384 56) CLEAR=(152 224) WAVY=(296 224) CLOSE=(404 16)
# The right arrow of scroll bar k (1..9), 40 pixels between colours, 8 between channels.
arrow() { echo 380 $((108 + 40 * (($1 - 1) / 3) + 8 * (($1 - 1) % 3))); }
output() { e2e_control_texts "$FADER" Edit | sed -n 2p; }
output_is() { [ "$(output)" = "$1" ]; }
check_output() {  # WHAT EXPECTED: waits a little for the box to change
  e2e_until 5 output_is "$2" || true
  e2e_check "$1" "$2" "$(output)"
}
clipboard() { xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null || true; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }

e2e_start_program
e2e_click 24 16  # the diamond: the menu
e2e_wait_window "$MENU"
xdotool key Down Return  # its first item, "HTML Fader"
e2e_wait_window "$FADER"
e2e_wait_window_gone "$MAIN"

e2e_click_on fader "${TEXT1[@]}"
e2e_type "Hello fader"
# Red 30 in colour 1, green 20 in colour 2, blue 25 in colour 3, one step per click.
xdotool mousemove $((270 + 380)) $((7 + $(arrow 1 | cut -d' ' -f2))) click --repeat 30 --delay 40 1
xdotool mousemove $((270 + 380)) $((7 + $(arrow 5 | cut -d' ' -f2))) click --repeat 20 --delay 40 1
xdotool mousemove $((270 + 380)) $((7 + $(arrow 9 | cut -d' ' -f2))) click --repeat 25 --delay 40 1
sleep 0.3
e2e_check "the scroll bars' values" "30 0 0 0 20 0 0 0 25" \
  "$(e2e_control_texts "$FADER" ScrollBar | paste -sd' ')"
e2e_check "the colour boxes follow their bars" "1E0000 001400 000019" \
  "$(e2e_screen_pixels $((270 + 400)) $((7 + 112)) $((270 + 400)) $((7 + 152)) $((270 + 400)) $((7 + 192)))"

PLAIN=$("$WINELOADER" "$E2E_BUILD/bin/qfade.exe" 30,5120,1638400 "Hello fader" | tr -d '\r\n')
WAVY_MARKUP=$("$WINELOADER" "$E2E_BUILD/bin/qfade.exe" --wavy 30,5120,1638400 "Hello fader" | tr -d '\r\n')
e2e_click_on fader "${GENERATE[@]}"
check_output "Generate: the fade of the line" "$PLAIN"
sleep 0.5  # the second press must not be a double click
e2e_click_on fader "${GENERATE[@]}"
check_output "Generate twice: two blocks back to back" "$PLAIN$PLAIN"

# Copied by hand: select the whole output with the keyboard and copy it (a multi-line text box
# takes no Ctrl+A).
e2e_click_on fader "${TEXT2[@]}"
xdotool key ctrl+Home ctrl+shift+End ctrl+c
e2e_until 5 clipboard_is "$PLAIN$PLAIN" || true
e2e_check "select and copy gives the two blocks" "$PLAIN$PLAIN" "$(clipboard)"

e2e_click_on fader "${CLEAR[@]}"
check_output "Clear empties the output" ""
e2e_check "Clear keeps the line" "Hello fader" "$(e2e_control_texts "$FADER" Edit | sed -n 1p)"
e2e_click_on fader "${WAVY[@]}"
e2e_click_on fader "${GENERATE[@]}"
check_output "Generate with Wavy down: the wavy fade" "$WAVY_MARKUP"

e2e_click_on fader "${CLOSE[@]}"
e2e_wait_window_gone "$FADER"
e2e_wait_window "$MAIN"
e2e_exit_program
e2e_finish
