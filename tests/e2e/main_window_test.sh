#!/usr/bin/env bash
# The main window end to end, beside chatroom.exe: the announcement at start and exit, sends
# of plain and wavy fades with and without their conditions, the style prefix, and the
# preview strip's colours, and Enter and Shift+Enter in the line. Clicks at the window's layout
# positions, typing with the keyboard.
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

# Only "1." ticked, as at start: neither send area sends. The sentinel is the next send, with
# "3." ticked: it must be the only line since.
e2e_mark
e2e_at main.text; e2e_type "Nothing"
e2e_at main.send; e2e_at main.send_wavy

# "3." ticked: SEND delivers the three-stop fade through the sixth icon and empties the box.
e2e_at main.box3
e2e_at main.text; xdotool key End shift+Home Delete; e2e_type "Hello there"
e2e_at main.send
e2e_expect_only_new "only 1. ticked: nothing sent; with 3. SEND sends the plain 3-stop fade" \
  "button6 $(e2e_fade_hex "$COLOURS" "Hello there")"

# SEND again on the emptied line, and Send Wavy without W (even with a line), send nothing;
# the sentinel is Send Wavy with W, the wavy fade of that line.
e2e_mark
sleep 0.5  # not a double click with the SEND above
e2e_at main.send
e2e_at main.text; e2e_type "Wave"
e2e_at main.send_wavy
e2e_at main.wavy
e2e_at main.send_wavy
e2e_expect_only_new "SEND emptied the line and Send Wavy without W sent nothing; with W: the wavy fade" \
  "button6 $(e2e_fade_hex --wavy "$COLOURS" "Wave")"

# Styles: S then B puts <b><s> in front; the preview ignores them.
e2e_at main.strike; e2e_at main.bold
e2e_at main.text; e2e_type "MMMMMMMMMMMMMMMMMMMMMMMMMMMM"
e2e_at main.send
e2e_wait_log 5
e2e_check "S then B: <b><s> in front" \
  "button6 $(e2e_hex '<b><s>')$(e2e_fade_hex "$COLOURS" "MMMMMMMMMMMMMMMMMMMMMMMMMMMM")" \
  "$(e2e_posted | sed -n 5p)"

# The preview strip shows the fade: red at the line's first letter, blue at its last.
e2e_at main.text; e2e_type "MMMMMMMMMMMMMMMM"
sleep 0.5
strip_has() {  # X_FROM WIDTH: the strongest red and blue seen in those columns of the strip
  local from width
  from=$(e2e_px "$1") width=$(e2e_px "$2")
  qf_rect main.preview
  # The rows of the letters: two in from the strip's top and bottom.
  local area="${width}x$((QF_RECT[3] - 4))+$((QF_RECT[0] + from))+$((QF_RECT[1] + 2))"
  import -window root "$E2E_DIR/strip.png"
  convert "$E2E_DIR/strip.png" -crop "$area" -depth 8 txt:- |
    sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
    awk '{if ($1>200 && $2<80 && $3<80) red=1; if ($3>200 && $1<80 && $2<80) blue=1}
         END {print (red?"red":"") (blue?"blue":"")}'
}
# The line's first letters lie from 2 pixels into the strip, its last ones from 116.
e2e_check "preview: red at the start of the line" red "$(strip_has 2 20)"
e2e_check "preview: blue at the end of the line" blue "$(strip_has 116 60)"

# Enter in the line is SEND, Shift+Enter SEND WAVY (W is still down), with the styles in front.
e2e_at main.text; xdotool key Return
e2e_wait_log 6
e2e_check "Enter in the line sends it" \
  "button6 $(e2e_hex '<b><s>')$(e2e_fade_hex "$COLOURS" "MMMMMMMMMMMMMMMM")" "$(e2e_posted | sed -n 6p)"
e2e_type "Up"
xdotool key shift+Return
e2e_wait_log 7
e2e_check "Shift+Enter sends it wavy" \
  "button6 $(e2e_hex '<b><s>')$(e2e_fade_hex --wavy "$COLOURS" "Up")" "$(e2e_posted | sed -n 7p)"

# The close area announces again and ends the program.
e2e_at main.close
e2e_wait_log 9
e2e_check "exit announces, line 1" "enter $LINE1" "$(e2e_posted | sed -n 8p)"
e2e_check "exit announces, line 2" "enter $LINE2" "$(e2e_posted | sed -n 9p)"
e2e_until 10 bash -c "! kill -0 $E2E_PROGRAM 2>/dev/null" || e2e_fail "the program did not end"
e2e_finish
