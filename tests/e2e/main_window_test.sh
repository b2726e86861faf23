#!/usr/bin/env bash
# The main window end to end, beside chatroom.exe: the announcement at start and exit, sends
# of plain and wavy fades with and without their conditions, the style prefix, and the
# preview strip's colours. Clicks at the window's layout positions, typing with the keyboard.
#   tests/e2e/main_window_test.sh BUILD_DIR
source "$(dirname "$0")/lib.sh" "$1"

# Colour boxes 1..3 red, green and blue from a saved scheme, which start-up applies.
printf 'Primaries\r\n' >"$E2E_DIR/scheme.lst"
printf '[Primaries]\r\nFade1=255\r\nFade2=65280\r\nFade3=16711680\r\n' >"$E2E_DIR/color.dat"
COLOURS=255,65280,16711680

# The announcement lines in the code page the room receives (cp1252: bullet 95, middle dot B7).
announcement_hex() {  # SPACES VISIBLE COLOUR...
  local spaces=$1 visible=$2; shift 2
  local line='</b></i></s></u><font face="arial narrow">'
  line+=$(printf '%*s' "$spaces" '')
  local i=0 char
  while IFS= read -r -n1 char; do
    [ -n "$char" ] || char=' '
    line+="<Font Color=#$1>$char"
    shift
  done < <(printf '%s' "$visible")
  printf '%s' "$line" | iconv -f UTF-8 -t CP1252 | od -An -tx1 -v | tr -d ' \n' | tr a-f A-F
}
LINE1=$(announcement_hex 8 '•··.·•   Quelvane Fader   •·.··•' \
  10BFEF 20B2DF 30A6CF 4099BF 508CAF 60809F 70738F 806680 8F5970 9F4C60 AF4050 BF3340 CF2630 \
  DF1A20 EF0D10 FF0000 EF0410 DF0820 CF0D30 BF1140 AF1550 9F1A60 8F1E70 802280 70268F 602A9F \
  502FAF 4033BF 3037CF 203CDF 1040EF 0044FF)
LINE2=$(announcement_hex 13 '•··.·•   By: Tarn   •·.··•' \
  14BCEB 27ADD8 3B9DC4 4E8DB1 627E9D 766E89 895E76 9D4E62 B13F4E C42F3B D81F27 EB1014 FF0000 \
  EB0514 D80A27 C4103B B1154E 9D1A62 891F76 762589 622A9D 4E2FB1 3B34C4 273AD8 143FEB 0044FF)

e2e_start_room
e2e_start_program
e2e_wait_log 2
e2e_check "start-up announces, line 1" "enter $LINE1" "$(e2e_posted | sed -n 1p)"
e2e_check "start-up announces, line 2" "enter $LINE2" "$(e2e_posted | sed -n 2p)"

TEXT1=(100 65) SEND=(320 64) WAVY=(316 92) EXIT=(352 16)
BOX3=(223 166) W=(39 126) S=(87 126) B=(63 158)

# Only "1." ticked, as at start: neither send area sends.
e2e_click "${TEXT1[@]}"; e2e_type "Nothing"
e2e_click "${SEND[@]}"; e2e_click "${WAVY[@]}"
sleep 0.5
e2e_check "only 1. ticked: nothing sent" 2 "$(e2e_posted_count)"

# "3." ticked: SEND delivers the three-stop fade through the sixth icon and empties the box.
e2e_click "${BOX3[@]}"
e2e_click "${TEXT1[@]}"; xdotool key End shift+Home Delete; e2e_type "Hello there"
e2e_click "${SEND[@]}"
e2e_wait_log 3
e2e_check "SEND: the plain 3-stop fade" "button6 $(e2e_fade_hex "$COLOURS" "Hello there")" \
  "$(e2e_posted | sed -n 3p)"
e2e_click "${SEND[@]}"
sleep 0.5
e2e_check "SEND emptied the line: a second click sends nothing" 3 "$(e2e_posted_count)"

# Send Wavy: nothing without W (even with a line), the wavy fade with it.
e2e_click "${TEXT1[@]}"; e2e_type "Wave"
e2e_click "${WAVY[@]}"
sleep 0.5
e2e_check "Send Wavy without W: nothing sent" 3 "$(e2e_posted_count)"
e2e_click "${W[@]}"
e2e_click "${WAVY[@]}"
e2e_wait_log 4
e2e_check "Send Wavy with W: the wavy fade" "button6 $(e2e_fade_hex --wavy "$COLOURS" "Wave")" \
  "$(e2e_posted | sed -n 4p)"

# Styles: S then B puts <b><s> in front; the preview ignores them.
e2e_click "${S[@]}"; e2e_click "${B[@]}"
e2e_click "${TEXT1[@]}"; e2e_type "MMMMMMMMMMMMMMMMMMMMMMMMMMMM"
e2e_click "${SEND[@]}"
e2e_wait_log 5
e2e_check "S then B: <b><s> in front" \
  "button6 $(e2e_hex '<b><s>')$(e2e_fade_hex "$COLOURS" "MMMMMMMMMMMMMMMMMMMMMMMMMMMM")" \
  "$(e2e_posted | sed -n 5p)"

# The preview strip shows the fade: red at the line's first letter, blue at its last.
e2e_click "${TEXT1[@]}"; e2e_type "MMMMMMMMMMMMMMMM"
sleep 0.5
strip_has() {  # X_FROM WIDTH: the strongest red and blue seen in that part of the strip
  import -window root "$E2E_DIR/strip.png"
  local crop
  crop="$(e2e_px "$2")x$(e2e_px 13)+$(e2e_px $((E2E_LEFT + $1)))+$(e2e_px $((E2E_TOP + 88)))"
  convert "$E2E_DIR/strip.png" -crop "$crop" -depth 8 txt:- |
    sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
    awk '{if ($1>200 && $2<80 && $3<80) red=1; if ($3>200 && $1<80 && $2<80) blue=1}
         END {print (red?"red":"") (blue?"blue":"")}'
}
e2e_check "preview: red at the start of the line" red "$(strip_has 26 20)"
e2e_check "preview: blue at the end of the line" blue "$(strip_has 140 60)"

# The close area announces again and ends the program.
e2e_click "${EXIT[@]}"
e2e_wait_log 7
e2e_check "exit announces, line 1" "enter $LINE1" "$(e2e_posted | sed -n 6p)"
e2e_check "exit announces, line 2" "enter $LINE2" "$(e2e_posted | sed -n 7p)"
e2e_until 10 bash -c "! kill -0 $E2E_PROGRAM 2>/dev/null" || e2e_fail "the program did not end"
e2e_finish
