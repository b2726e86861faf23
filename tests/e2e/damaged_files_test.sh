#!/usr/bin/env bash
# Damaged and unwritable scheme files end to end: a color.dat with garbage values and lines and a
# scheme.lst with odd quoting and an unterminated last line, a missing color.dat, a folder that
# cannot be written, and a hidden scheme.lst. Each time the program starts, stays usable and
# loses no scheme.
#   tests/e2e/damaged_files_test.sh BUILD_DIR
source "$(dirname "$0")/lib.sh" "$1"

SCHEMES='QfForm|Add/Remove Fades'
PROMPT='#32770|Save Color Scheme'
items() { e2e_list_items "$SCHEMES" | paste -sd/; }
items_are() { [ "$(items)" = "$1" ]; }
boxes_are() { [ "$(e2e_colour_boxes)" = "$1" ]; }
check_boxes() {  # WHAT RRGGBB... (ten, space-separated)
  e2e_until 5 boxes_are "$2" || true
  e2e_check "$1" "$2" "$(e2e_colour_boxes)"
}
BLACK="000000 000000 000000 000000 000000 000000 000000 000000 000000 000000"
GOOD=(255 65280 16711680 65535 16711935 16776960 8421504 16777215 128 32768)
open_schemes() { e2e_at main.fades; e2e_wait_window "$SCHEMES"; }
save_as() {  # NAME
  e2e_at schemes.add
  e2e_wait_window "$PROMPT" || return 1
  e2e_type "$1"
  xdotool key Return
  e2e_wait_window_gone "$PROMPT"
}
restart() { e2e_exit_program; e2e_start_program; }
# Clicks item N and waits until the list shows it selected: the click has been handled, so
# whatever it would apply is applied by then.
select_item() {  # N
  e2e_click_item "$SCHEMES" "$1"
  e2e_until 5 e2e_item_selected "$SCHEMES" "$1" || e2e_fail "item $1 was not selected"
}

# 1. Garbage in both files. Only the values that are whole numbers colour a box; the odd list
#    is read by its field rules, and saving writes it back whole, with what it could not parse.
printf '  "Odd, quoted" tail\r\nPlain,Second\r\n\r\nGood\r\n"Never closed' >"$E2E_DIR/scheme.lst"
{
  printf '[Odd, quoted]\r\nFade1=abc\r\nFade2=\r\nFade3=99999999999\r\nFade4= 255 \r\n'
  printf 'Fade5=0x00FF\r\nFade6=12abc\r\nno equals sign here\r\nFade7=65280\r\n\001\002\377\r\n'
  printf 'Fade8=-\r\nFade9=1e3\r\nFade10=--5\r\n=\r\n[\r\n'
  printf '[Good]\r\n'
  i=1; for v in "${GOOD[@]}"; do printf 'Fade%d=%s\r\n' $i "$v"; i=$((i + 1)); done
} >"$E2E_DIR/color.dat"
e2e_start_program
check_boxes "garbage values leave their boxes alone" \
  "000000 000000 000000 FF0000 000000 000000 00FF00 000000 000000 000000"
open_schemes
e2e_check "the odd list as read" "Odd, quoted/Plain/Second//Good/Never closed" "$(items)"
e2e_click_item "$SCHEMES" 4
check_boxes "a good scheme after the garbage applies" "$(e2e_rgb "${GOOD[@]}")"
select_item 3
check_boxes "the empty entry applies nothing" "$(e2e_rgb "${GOOD[@]}")"
e2e_at schemes.remove
e2e_until 5 items_are "Odd, quoted/Plain/Second/Good/Never closed" || true
e2e_check "Remove takes the empty entry too" "Odd, quoted/Plain/Second/Good/Never closed" "$(items)"
save_as "Saved"
printf '"Odd, quoted"\r\nPlain\r\nSecond\r\nGood\r\nNever closed\r\nSaved\r\n' >"$E2E_DIR/expected.lst"
e2e_until 5 cmp -s "$E2E_DIR/scheme.lst" "$E2E_DIR/expected.lst" || true
e2e_check "the odd list saved back whole" "$(od -c "$E2E_DIR/expected.lst")" "$(od -c "$E2E_DIR/scheme.lst")"
e2e_check "the good scheme's section is kept" "Fade10=32768" \
  "$(sed -n '/^\[Good\]/,/^\[/p' "$E2E_DIR/color.dat" | tr -d '\r' | grep '^Fade10=')"
e2e_check "the new scheme's section is written" "Fade1=255" \
  "$(sed -n '/^\[Saved\]/,/^\[/p' "$E2E_DIR/color.dat" | tr -d '\r' | grep '^Fade1=')"
restart
open_schemes
e2e_check "after a restart the list is as saved" "Odd, quoted/Plain/Second/Good/Never closed/Saved" "$(items)"

# 2. A missing color.dat: start-up colours nothing, a click applies nothing, Add creates it.
e2e_exit_program
rm "$E2E_DIR/color.dat"
printf 'Alpha\r\n' >"$E2E_DIR/scheme.lst"
e2e_start_program
check_boxes "no color.dat: the boxes keep their first colours" "$BLACK"
open_schemes
select_item 0
check_boxes "no color.dat: a click applies nothing" "$BLACK"
save_as "Beta"
{ printf '[Beta]\r\n'; for i in 1 2 3 4 5 6 7 8 9 10; do printf 'Fade%d=0\r\n' $i; done; } >"$E2E_DIR/expected.dat"
e2e_until 5 cmp -s "$E2E_DIR/color.dat" "$E2E_DIR/expected.dat" || true
e2e_check "Add creates color.dat" "$(od -c "$E2E_DIR/expected.dat")" "$(od -c "$E2E_DIR/color.dat" 2>&1)"
e2e_check "the list after Add" "Alpha */Beta" "$(items)"
e2e_exit_program

# 3. A folder that cannot be written (a read-only bind mount over the program's folder; needs
#    root, skipped without it): Add and Remove say so, and the list in memory and both files
#    stay as they were.
if mount --bind "$E2E_DIR" "$E2E_DIR" 2>/dev/null; then
  trap 'umount "$E2E_DIR" 2>/dev/null || true; e2e_cleanup' EXIT
  if mount -o remount,ro,bind "$E2E_DIR" 2>/dev/null; then
    BEFORE=$(cat "$E2E_DIR/scheme.lst" "$E2E_DIR/color.dat" | od -c)
    e2e_start_program
    open_schemes
    save_as "Gamma"
    e2e_wait_window '#32770|Quelvane Fader 1.0' || true
    MESSAGE=$(e2e_message_text)
    case $MESSAGE in
      *"could not be saved"*) echo "ok: read-only folder: Add says the colours could not be saved" ;;
      *) e2e_fail "read-only folder: Add showed [$MESSAGE]" ;;
    esac
    xdotool key Return
    e2e_wait_window_gone '#32770|Quelvane Fader 1.0'
    e2e_check "read-only folder: no name whose colours were not stored" "Alpha/Beta" "$(items)"
    e2e_click_item "$SCHEMES" 0
    e2e_at schemes.remove
    e2e_wait_window '#32770|Quelvane Fader 1.0' && xdotool key Return
    e2e_wait_window_gone '#32770|Quelvane Fader 1.0'
    e2e_check "read-only folder: Remove works in memory" "Beta" "$(items)"
    e2e_check "read-only folder: both files are as they were" "$BEFORE" \
      "$(cat "$E2E_DIR/scheme.lst" "$E2E_DIR/color.dat" | od -c)"
    e2e_exit_program
  else
    echo "skipped: the read-only folder (no read-only remount here)"
  fi
  umount "$E2E_DIR"
  trap e2e_cleanup EXIT
else
  echo "skipped: the read-only folder (bind mounts need root)"
fi

# 4. A hidden scheme.lst counts as missing at start-up, so it was never read: Add and Remove
#    say once that the list is not saved, and the file stays byte for byte, still hidden.
attributes() { "$WINELOADER" cmd /c attrib "Z:${E2E_DIR//\//\\}\\scheme.lst" 2>/dev/null | tr -d '\r' | cut -c1-10 | tr -d ' '; }
printf 'Mine\r\nTheirs\r\n' >"$E2E_DIR/scheme.lst"
"$WINELOADER" cmd /c attrib +h "Z:${E2E_DIR//\//\\}\\scheme.lst" >/dev/null 2>&1
BEFORE_ATTRIBUTES=$(attributes)
BEFORE=$(od -c "$E2E_DIR/scheme.lst")
e2e_start_program
open_schemes
save_as "Added"
e2e_wait_window '#32770|Quelvane Fader 1.0' || true
case $(e2e_message_text) in
  *"scheme.lst is hidden"*) echo "ok: hidden list: Add says the list is not saved, and why" ;;
  *) e2e_fail "hidden list: Add showed [$(e2e_message_text)]" ;;
esac
xdotool key Return
e2e_wait_window_gone '#32770|Quelvane Fader 1.0'
e2e_click_item "$SCHEMES" 0
e2e_at schemes.remove
# The emptied list shows that Remove was handled; a second message would be up by then.
e2e_until 5 items_are "" || true
e2e_check "hidden list: told once, Remove works in memory" "" "$(items)$(e2e_message_text)"
e2e_check "hidden list: the file is byte for byte as it was" "$BEFORE" "$(od -c "$E2E_DIR/scheme.lst")"
e2e_check "hidden list: and still hidden" "$BEFORE_ATTRIBUTES" "$(attributes)"
case $BEFORE_ATTRIBUTES in *H*) ;; *) e2e_fail "attrib +h did not hide scheme.lst ($BEFORE_ATTRIBUTES)" ;; esac
e2e_exit_program
e2e_finish
