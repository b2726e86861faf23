#!/usr/bin/env bash
# The windows at four display scales under Wine: 96, 120, 144 and 192 dpi. A Wine state of its
# own (prefix and virtual display, in BUILD/wine-scales, made once and reused) so the other
# tests' prefix stays at 96 dpi; its display is large enough for the main window at 192 dpi.
# For each scale: the prefix's LogPixels is set, then the display-scale tests of win_tests.exe
# run and must find the windows at that scale. At 144 dpi the main window's end-to-end test runs
# again with its clicks at the scaled positions, and a short run clicks the menu, FADES and a
# colour box there.
#   tests/scales/scales_test.sh BUILD_DIR [DPI...]
set -euo pipefail

BUILD=$(cd "$1" && pwd)
shift
SCALES=("$@")
[ ${#SCALES[@]} -gt 0 ] || SCALES=(96 120 144 192)
HERE=$(cd "$(dirname "$0")" && pwd)
SCRIPTS=$(cd "$HERE/../../scripts" && pwd)
STATE=$BUILD/wine-scales
export QF_WINE_SCREEN=1600x1200x24
# The prefix's kind follows the build: QF_WINE_ARCH from CTest, else the build's cache.
ARCH=${QF_WINE_ARCH:-}
if [ -z "$ARCH" ]; then
  ARCH=win32
  if grep -qsE '^CMAKE_(CXX_COMPILER|TOOLCHAIN_FILE):.*x86_64' "$BUILD/CMakeCache.txt"; then ARCH=win64; fi
fi
"$SCRIPTS/wine-env" ensure "$STATE" "$ARCH"
trap '"$SCRIPTS/wine-env" stop "$STATE" "$ARCH"' EXIT
eval "$("$SCRIPTS/wine-env" env "$STATE" "$ARCH")"
export DISPLAY WINEPREFIX WINELOADER

# Wine reads the scale from LogPixels (REG_DWORD) in these two keys, in each program as it
# starts: set both, then let the server write them out.
set_dpi() {
  "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  "$WINELOADER" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

failures=0
for dpi in "${SCALES[@]}"; do
  echo "== $dpi dpi"
  set_dpi "$dpi"
  log=$STATE/display_scale_$dpi.log
  if (cd "$BUILD/bin" && QF_EXPECT_DPI=$dpi "$WINELOADER" win_tests.exe \
      --gtest_filter='DisplayScaleTest.*' >"$log" 2>&1); then
    status=0
  else
    status=1
  fi
  # The measured sizes, and what failed.
  tr -d '\r' <"$log" | grep -E 'window at|FAILED|Failure' -A3 || true
  if [ "$status" -ne 0 ]; then
    echo "FAIL: the display-scale tests at $dpi dpi (see $log)"
    failures=$((failures + 1))
  fi
  if [ "$dpi" = 144 ]; then
    for script in "$HERE/../e2e/main_window_test.sh" "$HERE/scaled_clicks_test.sh"; do
      echo "== $(basename "$script") at 144 dpi"
      if ! E2E_WINE_STATE=$STATE E2E_SCALE=1.5 bash "$script" "$BUILD"; then
        echo "FAIL: $(basename "$script") at 144 dpi"
        failures=$((failures + 1))
      fi
    done
  fi
done
set_dpi 96
[ "$failures" -eq 0 ] && echo "all scales passed"
[ "$failures" -eq 0 ]
