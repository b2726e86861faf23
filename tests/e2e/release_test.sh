#!/usr/bin/env bash
# The release as a Windows user gets it: scripts/package zips this build's program, the
# checksum file vouches for the zip, and the zip is unpacked into a fresh folder on the Wine
# prefix's C: drive that holds nothing else. The program runs from there: it starts, shows its
# window, and the first save in the scheme manager makes scheme.lst and color.dat beside it
# (and nothing else appears in the folder).
#   tests/e2e/release_test.sh BUILD_DIR
source "$(dirname "$0")/lib.sh" "$1"
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
VERSION=$(sed -n 's/^project([A-Za-z_]* VERSION \([0-9][0-9.]*\)[ )].*/\1/p' "$ROOT/CMakeLists.txt")
case $("$E2E_SCRIPTS/wine-env" arch "$E2E_BUILD/wine") in
  win64) ARCH=win64 ;;
  *) ARCH=win32 ;;
esac
NAME=quelvane-fader-$VERSION-$ARCH
OUT=$E2E_DIR/dist

"$ROOT/scripts/package" --from "$E2E_BUILD" --out "$OUT" >/dev/null ||
  { e2e_fail "scripts/package --from $E2E_BUILD failed"; e2e_finish; exit; }
e2e_check "the zip's name and contents" \
  "$NAME/ $NAME/$E2E_EXE_NAME $NAME/README.txt $NAME/LICENSE.txt" \
  "$(unzip -Z1 "$OUT/$NAME.zip" 2>&1 | paste -sd' ')"
e2e_check "the checksum file vouches for the zip" "$NAME.zip: OK" \
  "$(cd "$OUT" && sha256sum -c "quelvane-fader-$VERSION-sha256.txt" 2>&1)"

# A folder of its own on C:, as a user would make one, with the zip's folder and nothing else.
PLACE=$(mktemp -d "$WINEPREFIX/drive_c/qf-release.XXXXXX")
trap 'rm -rf "$PLACE"; e2e_cleanup' EXIT
(cd "$PLACE" && unzip -q "$OUT/$NAME.zip")
APP=$PLACE/$NAME
listing() { (cd "$APP" && ls -A | paste -sd/); }
e2e_check "unpacked: the program, the guide, the licence" \
  "LICENSE.txt/Quelvane Fader 1.0.exe/README.txt" "$(listing)"
e2e_check "the guide names this version" "Version $VERSION," \
  "$(grep -o "^Version $VERSION," "$APP/README.txt" | head -1)"
e2e_check "the guide says where schemes are kept" "color.dat scheme.lst" \
  "$(grep -o 'scheme\.lst\|color\.dat' "$APP/README.txt" | sort -u | paste -sd' ')"
e2e_check "the licence is MIT's" "MIT License" "$(head -1 "$APP/LICENSE.txt" | tr -d '\r')"

e2e_start_program "$APP"
e2e_check "the program runs from the unpacked folder" "yes" "$(e2e_program_running && echo yes)"

# The first save: FADES, Add, a name. Both files appear beside the program.
SCHEMES='QfForm|Add/Remove Fades'
PROMPT='#32770|Save Color Scheme'
e2e_at main.fades
e2e_wait_window "$SCHEMES"
e2e_at schemes.add
e2e_wait_window "$PROMPT"
e2e_type "First"
xdotool key Return
e2e_wait_window_gone "$PROMPT"
saved() { [ -s "$APP/scheme.lst" ] && grep -q '^Fade10=' "$APP/color.dat" 2>/dev/null; }
e2e_until 10 saved || e2e_fail "no scheme files beside the program after the first save"
e2e_check "the folder after the first save" \
  "LICENSE.txt/Quelvane Fader 1.0.exe/README.txt/color.dat/scheme.lst" "$(listing)"
e2e_check "scheme.lst holds the name" "First" "$(tr -d '\r' <"$APP/scheme.lst")"
e2e_check "color.dat holds its ten colours" "[First] 10" \
  "$(tr -d '\r' <"$APP/color.dat" | head -1) $(grep -c '^Fade[0-9]*=0' "$APP/color.dat")"

e2e_exit_program
e2e_finish
