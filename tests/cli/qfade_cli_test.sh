#!/usr/bin/env bash
# Runs qfade as a user or script would and checks its output bytes, exit status and messages.
#   bash qfade_cli_test.sh [EMULATOR...] QFADE
# All arguments together are the command that runs qfade (natively just its path; for the
# Windows build, scripts/wine-run path/qfade.exe). Non-ASCII text goes in through standard
# input ("-"), which reaches the program as raw bytes on every platform.
set -u

source "$(dirname "$0")/cli_lib.sh" "$@"

# expect_output NAME EXPECTED_FILE: exit 0, stdout byte-exact, nothing on stderr.
expect_output() {
  local name=$1 expected=$2
  if [ "$rc" -ne 0 ]; then
    fail "$name: exit status $rc, expected 0 (stderr: $(head -c 300 "$tmp/err"))"
  elif ! cmp -s "$tmp/out" "$expected"; then
    fail "$name: output differs"
    echo "  expected: $(head -c 400 "$expected")" >&2
    echo "  actual:   $(head -c 400 "$tmp/out")" >&2
  elif [ -s "$tmp/err" ]; then
    fail "$name: unexpected stderr: $(head -c 300 "$tmp/err")"
  fi
}

# expect_rejected NAME: exit 2, empty stdout, exactly one line on stderr.
expect_rejected() {
  local name=$1
  local lines
  lines=$(wc -l <"$tmp/err")
  if [ "$rc" -ne 2 ]; then
    fail "$name: exit status $rc, expected 2"
  elif [ -s "$tmp/out" ]; then
    fail "$name: stdout not empty: $(head -c 200 "$tmp/out")"
  elif [ "$lines" -ne 1 ] || [ "$(tail -c 1 "$tmp/err" | od -An -c | tr -d ' ')" != '\n' ]; then
    fail "$name: expected one line on stderr, got $lines: $(head -c 300 "$tmp/err")"
  fi
}

# markup FILE CHARACTERS COLOURS: writes the expected plain markup plus a newline, one piece per
# character (CHARACTERS and COLOURS are space-separated lists of equal length; "_" is a space).
markup() {
  local file=$1
  local -a chars=($2) colours=($3)
  if [ ${#chars[@]} -ne ${#colours[@]} ]; then
    echo "test bug: ${#chars[@]} characters, ${#colours[@]} colours" >&2
    exit 2
  fi
  : >"$file"
  local i c
  for i in "${!chars[@]}"; do
    c=${chars[$i]}
    [ "$c" = "_" ] && c=" "
    printf '<Font Color=#%s>%s' "${colours[$i]}" "$c" >>"$file"
  done
  printf '\n' >>"$file"
}

# The worked example: red to blue over "abc", wavy.
printf '%s\n' '<Font Color=#AA0055><sup>a<Font Color=#5500AA></sup>b<Font Color=#0000FF><sub>c' \
  >"$tmp/wavy"
run "$tmp/empty" --wavy 255,16711680 abc
expect_output "wavy worked example" "$tmp/wavy"

printf '%s\n' '<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c' >"$tmp/plain"
run "$tmp/empty" '#FF0000,#0000FF' abc
expect_output "hex colour codes" "$tmp/plain"

printf '\n' >"$tmp/newline"
run "$tmp/empty" 255,16711680 -
expect_output "empty standard input" "$tmp/newline"

# The two announcement lines: three stops 00CCFF, FF0000, 0044FF over their visible texts.
bullet=$'\xe2\x80\xa2'
dot=$'\xc2\xb7'
left="$bullet $dot $dot . $dot $bullet"
right="$bullet $dot . $dot $dot $bullet"
markup "$tmp/announce1" "$left _ _ _ Q u e l v a n e _ F a d e r _ _ _ $right" \
  "10BFEF 20B2DF 30A6CF 4099BF 508CAF 60809F 70738F 806680 8F5970 9F4C60 AF4050 BF3340 CF2630
   DF1A20 EF0D10 FF0000 EF0410 DF0820 CF0D30 BF1140 AF1550 9F1A60 8F1E70 802280 70268F 602A9F
   502FAF 4033BF 3037CF 203CDF 1040EF 0044FF"
markup "$tmp/announce2" "$left _ _ _ B y : _ T a r n _ _ _ $right" \
  "14BCEB 27ADD8 3B9DC4 4E8DB1 627E9D 766E89 895E76 9D4E62 B13F4E C42F3B D81F27 EB1014 FF0000
   EB0514 D80A27 C4103B B1154E 9D1A62 891F76 762589 622A9D 4E2FB1 3B34C4 273AD8 143FEB 0044FF"
printf '%s' "$bullet$dot$dot.$dot$bullet   Quelvane Fader   $bullet$dot.$dot$dot$bullet" \
  >"$tmp/text1"
printf '%s' "$bullet$dot$dot.$dot$bullet   By: Tarn   $bullet$dot.$dot$dot$bullet" >"$tmp/text2"
run "$tmp/text1" 16763904,255,16729088 -
expect_output "announcement line 1" "$tmp/announce1"
run "$tmp/text2" 16763904,255,16729088 -
expect_output "announcement line 2" "$tmp/announce2"

# Bad input: exit status 2, one line on stderr, nothing on stdout.
run "$tmp/empty"
expect_rejected "no arguments"
run "$tmp/empty" 255,16711680
expect_rejected "missing text"
run "$tmp/empty" 255 abc
expect_rejected "one colour"
run "$tmp/empty" 1,2,3,4,5,6,7,8,9,10,11 abc
expect_rejected "eleven colours"
run "$tmp/empty" 255,red abc
expect_rejected "colour in neither form"
run "$tmp/empty" '255,#12345' abc
expect_rejected "short hex code"
run "$tmp/empty" 255,4294967296 abc
expect_rejected "colour above 32 bits"
run "$tmp/empty" 255,-2147483649 abc
expect_rejected "colour below 32 bits"
printf 'a\xffb' >"$tmp/invalid"
run "$tmp/invalid" 255,16711680 -
expect_rejected "invalid UTF-8 on standard input"
if [ "$native" = yes ]; then
  run "$tmp/empty" 255,16711680 $'a\xc3'
  expect_rejected "invalid UTF-8 argument"
fi

# The extreme colour values split by their hex text: -1 is white, 16777216 (1000000) is
# red 0, green 0, blue 0x10.
run "$tmp/empty" -1,16777216 ab
printf '%s\n' '<Font Color=#808088>a<Font Color=#000010>b' >"$tmp/extremes"
expect_output "colours -1 and 16777216" "$tmp/extremes"

run "$tmp/empty" --help
if [ "$rc" -ne 0 ] || ! grep -q "usage: qfade" "$tmp/out"; then
  fail "--help: exit status $rc, output: $(head -c 200 "$tmp/out")"
fi

if [ "$failures" -ne 0 ]; then
  echo "qfade_cli_test: $failures check(s) failed" >&2
  exit 1
fi
echo "qfade_cli_test: all checks passed"
