#!/usr/bin/env bash
# The scheme manager end to end: start-up applies the first saved scheme, a click on a name
# applies it, the sliders change a colour that Add then saves (after a Cancel, which asks
# again), the two files as they are written byte for byte, Remove of the selection and with
# nothing selected, and a restart that finds the list (a name with a comma included) as saved.
#   tests/e2e/schemes_test.sh BUILD_DIR
source "$(dirname "$0")/lib.sh" "$1"

WARM=(255 33023 65535 65280 16776960 16711680 16711935 8421504 16777215 4210752)
COOL=(16711680 16744448 16776960 8453888 65280 128 32896 8388736 12632256 0)
# A scheme's section as the profile functions write it.
section() {  # NAME VALUE x10
  local name=$1 i=1 value
  shift
  printf '[%s]\r\n' "$name"
  for value in "$@"; do printf 'Fade%d=%s\r\n' $i "$value"; i=$((i + 1)); done
}
{ section Warm "${WARM[@]}"; section Cool "${COOL[@]}"; } >"$E2E_DIR/color.dat"
printf 'Warm\r\nCool\r\n' >"$E2E_DIR/scheme.lst"
cp "$E2E_DIR/color.dat" "$E2E_DIR/seeded.dat"

SCHEMES='QfForm|Add/Remove Fades'
PROMPT='#32770|Save Color Scheme'
boxes_are() { [ "$(e2e_colour_boxes)" = "$(e2e_rgb "$@")" ]; }
check_boxes() {  # WHAT VALUE x10: waits a little for the boxes to repaint
  e2e_until 5 boxes_are "${@:2}" || true
  e2e_check "$1" "$(e2e_rgb "${@:2}")" "$(e2e_colour_boxes)"
}
file_is() { [ -f "$1" ] && cmp -s "$1" "$2"; }
check_file() {  # WHAT FILE EXPECTED_FILE: waits for the write
  e2e_until 5 file_is "$2" "$3" || true
  e2e_check "$1" "$(od -c "$3")" "$(od -c "$2" 2>&1)"
}
items() { e2e_list_items "$SCHEMES" | paste -sd/; }

e2e_start_program
check_boxes "start-up applies the first scheme" "${WARM[@]}"
e2e_at main.fades
e2e_wait_window "$SCHEMES"
e2e_check "the list as loaded at start-up" "Warm/Cool" "$(items)"

e2e_click_item "$SCHEMES" 1
check_boxes "a click on Cool applies it" "${COOL[@]}"

# Box 1 is ticked, so the sliders write it: 40 steps of red and 10 of green, blue 0.
e2e_arrow_clicks main.red 40
e2e_arrow_clicks main.green 10
MIXED=$((40 + 10 * 256))
check_boxes "the sliders set box 1" $MIXED "${COOL[@]:1}"

# Add: Cancel gets the message and the prompt again; then the name with a comma.
e2e_at schemes.add
e2e_wait_window "$PROMPT"
e2e_check "the name prompt" "Choose your name" "$(e2e_control_texts "$PROMPT" Static)"
xdotool key Escape
e2e_answer_message "Cancel in the name prompt" "Please choose a name"
e2e_wait_window "$PROMPT"
e2e_type "Red, Blue"
xdotool key Return
e2e_wait_window_gone "$PROMPT"
printf 'Warm\r\nCool\r\n"Red, Blue"\r\n' >"$E2E_DIR/expected.lst"
check_file "scheme.lst after Add (the comma name quoted)" "$E2E_DIR/scheme.lst" "$E2E_DIR/expected.lst"
{ cat "$E2E_DIR/seeded.dat"; section "Red, Blue" $MIXED "${COOL[@]:1}"; } >"$E2E_DIR/expected.dat"
check_file "color.dat after Add (a new section at the end)" "$E2E_DIR/color.dat" "$E2E_DIR/expected.dat"
e2e_check "the list after Add (selection kept)" "Warm/Cool */Red, Blue" "$(items)"

# Remove the selection: Warm, applied by its click first. The colours stay, its section too.
e2e_click_item "$SCHEMES" 0
check_boxes "a click on Warm applies it" "${WARM[@]}"
e2e_at schemes.remove
printf 'Cool\r\n"Red, Blue"\r\n' >"$E2E_DIR/expected.lst"
check_file "scheme.lst after Remove" "$E2E_DIR/scheme.lst" "$E2E_DIR/expected.lst"
e2e_check "the list after Remove (nothing selected)" "Cool/Red, Blue" "$(items)"
check_file "Remove leaves color.dat alone" "$E2E_DIR/color.dat" "$E2E_DIR/expected.dat"
check_boxes "Remove leaves the colours" "${WARM[@]}"

# Remove again, with nothing selected now.
sleep 0.4  # not a double click on Remove
e2e_at schemes.remove
e2e_answer_message "Remove with nothing selected" "please select a scheme to remove"
e2e_check "the list after the refused Remove" "Cool/Red, Blue" "$(items)"

# A restart finds what was saved: Cool first, the comma name whole, its colours.
e2e_exit_program
e2e_start_program
check_boxes "after a restart the first scheme (Cool) is applied" "${COOL[@]}"
e2e_at main.fades
e2e_wait_window "$SCHEMES"
e2e_check "after a restart the list is as saved" "Cool/Red, Blue" "$(items)"
e2e_click_item "$SCHEMES" 1
check_boxes "the comma name applies its colours" $MIXED "${COOL[@]:1}"
e2e_exit_program
e2e_finish
