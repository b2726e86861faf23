#!/usr/bin/env bash
# The HTML fader end to end: opened from the menu (the main window goes), a typed line, three
# colours mixed with the scroll bars, Generate twice (two blocks back to back, read from the
# box and selected and copied with the keyboard through the clipboard), Wavy, Clear, the format
# area (html), and the close area (the main window comes back). E2E_SHOT=FILE saves a
# screenshot with the html markup in the box.
#   tests/e2e/html_fader_test.sh BUILD_DIR
source "$(dirname "$0")/lib.sh" "$1"
command -v xclip >/dev/null || { e2e_fail "xclip is missing (scripts/setup installs it)"; exit 1; }

MAIN='QfForm|Quelvane Fader 1.0'
FADER='QfForm|HTML Fader'
MENU='#32768|'
output() { e2e_control_texts "$FADER" Edit | sed -n 2p; }
output_is() { [ "$(output)" = "$1" ]; }
check_output() {  # WHAT EXPECTED: waits a little for the box to change
  e2e_until 5 output_is "$2" || true
  e2e_check "$1" "$2" "$(output)"
}
clipboard() { xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null || true; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }

e2e_start_program
e2e_at main.menu
e2e_wait_window "$MENU"
xdotool key Down Return  # its first item, "HTML Fader"
e2e_wait_window "$FADER"
e2e_wait_window_gone "$MAIN"

e2e_at fader.text
e2e_type "Hello fader"
# Red 30 in colour 1, green 20 in colour 2, blue 25 in colour 3, one step per click.
e2e_arrow_clicks fader.bar1 30
e2e_arrow_clicks fader.bar5 20
e2e_arrow_clicks fader.bar9 25
bars() { e2e_control_texts "$FADER" ScrollBar | paste -sd' '; }
bars_are() { [ "$(bars)" = "$1" ]; }
e2e_until 5 bars_are "30 0 0 0 20 0 0 0 25" || true
e2e_check "the scroll bars' values" "30 0 0 0 20 0 0 0 25" "$(bars)"
e2e_check "the colour boxes follow their bars" "1E0000 001400 000019" \
  "$(e2e_pixels fader.colour1 fader.colour2 fader.colour3)"

PLAIN=$("$WINELOADER" "$E2E_BUILD/bin/qfade.exe" 30,5120,1638400 "Hello fader" | tr -d '\r\n')
WAVY_MARKUP=$("$WINELOADER" "$E2E_BUILD/bin/qfade.exe" --wavy 30,5120,1638400 "Hello fader" | tr -d '\r\n')
e2e_at fader.generate
check_output "Generate: the fade of the line" "$PLAIN"
sleep 0.5  # the second press must not be a double click
e2e_at fader.generate
check_output "Generate twice: two blocks back to back" "$PLAIN$PLAIN"

# Copied by hand: select the whole output with the keyboard and copy it (a multi-line text box
# takes no Ctrl+A).
e2e_at fader.output
xdotool key ctrl+Home ctrl+shift+End ctrl+c
e2e_until 5 clipboard_is "$PLAIN$PLAIN" || true
e2e_check "select and copy gives the two blocks" "$PLAIN$PLAIN" "$(clipboard)"

e2e_at fader.clear
check_output "Clear empties the output" ""
e2e_check "Clear keeps the line" "Hello fader" "$(e2e_control_texts "$FADER" Edit | sed -n 1p)"
e2e_at fader.wavy
e2e_at fader.generate
check_output "Generate with Wavy down: the wavy fade" "$WAVY_MARKUP"

# The format area: one click takes html, and Generate appends the same wavy fade in HTML.
HTML_MARKUP=$("$WINELOADER" "$E2E_BUILD/bin/qfade.exe" --format html --wavy 30,5120,1638400 \
  "Hello fader" | tr -d '\r\n')
e2e_at fader.format
e2e_at fader.generate
check_output "the format area: html" "$WAVY_MARKUP$HTML_MARKUP"
[ -z "${E2E_SHOT:-}" ] || import -window root "$E2E_SHOT"

e2e_at fader.close
e2e_wait_window_gone "$FADER"
e2e_wait_window "$MAIN"
e2e_exit_program
e2e_finish
