#!/usr/bin/env bash
# qfade's formats, styles, wave, length limit and saved schemes, as a user or script calls
# them: output bytes, exit status, one-line messages.
#   bash qfade_formats_test.sh [EMULATOR...] QFADE
# The scheme files are the desktop's own (tests/fixtures/schemes/). Non-ASCII text goes in
# through standard input ("-").
set -u

source "$(dirname "$0")/cli_lib.sh" "$@"
schemes=$(cd "$(dirname "$0")/../fixtures/schemes" && pwd)

# expect NAME EXPECTED: exit 0, stdout EXPECTED and a newline, nothing on stderr.
expect() {
  local name=$1
  printf '%s\n' "$2" >"$tmp/expected"
  if [ "$rc" -ne 0 ]; then
    fail "$name: exit status $rc, expected 0 (stderr: $(head -c 300 "$tmp/err"))"
  elif ! cmp -s "$tmp/out" "$tmp/expected"; then
    fail "$name: output differs"
    echo "  expected: $(head -c 400 "$tmp/expected" | cat -v)" >&2
    echo "  actual:   $(head -c 400 "$tmp/out" | cat -v)" >&2
  elif [ -s "$tmp/err" ]; then
    fail "$name: unexpected stderr: $(head -c 300 "$tmp/err")"
  fi
}

# expect_same NAME FILE: exit 0 and the same output as FILE holds.
expect_same() {
  if [ "$rc" -ne 0 ] || ! cmp -s "$tmp/out" "$2"; then
    fail "$1: exit status $rc or output differs: $(head -c 300 "$tmp/out" "$tmp/err")"
  fi
}

# expect_rejected NAME [WORD]: exit 2, empty stdout, one line on stderr (holding WORD).
expect_rejected() {
  local name=$1 word=${2:-}
  if [ "$rc" -ne 2 ]; then
    fail "$name: exit status $rc, expected 2"
  elif [ -s "$tmp/out" ]; then
    fail "$name: stdout not empty: $(head -c 200 "$tmp/out")"
  elif [ "$(wc -l <"$tmp/err")" -ne 1 ]; then
    fail "$name: expected one line on stderr: $(head -c 300 "$tmp/err")"
  elif [ -n "$word" ] && ! grep -qF -- "$word" "$tmp/err"; then
    fail "$name: the message does not say '$word': $(cat "$tmp/err")"
  fi
}

rb=255,16711680  # red to blue: a<b gives AA0055, 5500AA, 0000FF

# One line of each format, with the characters each must escape.
run "$tmp/empty" --format html "$rb" 'a<b'
expect html '<span style="color:#AA0055">a</span><span style="color:#5500AA">&lt;</span><span style="color:#0000FF">b</span>'
run "$tmp/empty" --format bbcode "$rb" 'a[b'
expect bbcode $'[color=#AA0055]a[/color][color=#5500AA][\u200b[/color][color=#0000FF]b[/color]'
run "$tmp/empty" --format minimessage "$rb" 'a<b'
expect minimessage '<#AA0055>a<#5500AA>\<<#0000FF>b'
run "$tmp/empty" --format mc-hex "$rb" 'a&b'
expect mc-hex '&#AA0055a&#5500AA&&#0000FFb'
run "$tmp/empty" --format mc-x "$rb" 'abc'
expect mc-x '&x&A&A&0&0&5&5a&x&5&5&0&0&A&Ab&x&0&0&0&0&F&Fc'
run "$tmp/empty" --format mc-section "$rb" 'a&b'
expect mc-section $'\u00a7x\u00a7A\u00a7A\u00a70\u00a70\u00a75\u00a75a\u00a7x\u00a75\u00a75\u00a70\u00a70\u00a7A\u00a7A&\u00a7x\u00a70\u00a70\u00a70\u00a70\u00a7F\u00a7Fb'
printf 'a\033b' >"$tmp/escape"
run "$tmp/escape" --format ansi "$rb" -
expect ansi $'\e[38;2;170;0;85ma\e[38;2;85;0;170m\u241b\e[38;2;0;0;255mb\e[0m'
run "$tmp/empty" --format aol "$rb" abc
expect "aol by name" '<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c'

# Styles in each format's way; aol's prefix in the fixed order <b><i><u><s>.
run "$tmp/empty" --strike --underline --italic --bold "$rb" ab
expect "aol styles" '<b><i><u><s><Font Color=#800080>a<Font Color=#0000FF>b'
run "$tmp/empty" --format html --bold --strike "$rb" ab
expect "html styles" '<b><s><span style="color:#800080">a</span><span style="color:#0000FF">b</span></s></b>'
run "$tmp/empty" --format mc-hex --bold --italic "$rb" ab
expect "mc-hex styles after every code" '&#800080&l&oa&#0000FF&l&ob'
run "$tmp/empty" --format ansi --underline --strike "$rb" ab
expect "ansi styles" $'\e[4;9m\e[38;2;128;0;128ma\e[38;2;0;0;255mb\e[0m'
run "$tmp/empty" --format minimessage --strike '#00FF00,#00FF00' 'a b'
expect "minimessage styles, one run" '<st><#00FF00>a b'

# The wave where a format has raised text; a clear refusal where it has none.
run "$tmp/empty" --format html --wavy "$rb" abc
expect "html wavy" '<span style="color:#AA0055"><sup>a</sup></span><span style="color:#5500AA">b</span><span style="color:#0000FF"><sub>c</sub></span>'
for format in bbcode minimessage mc-hex mc-x mc-section ansi; do
  run "$tmp/empty" --format "$format" --wavy "$rb" abc
  expect_rejected "$format wavy" "$format"
done

# A length limit: the plain line when it fits, groups when it does not, the overshoot when
# not even one colour fits; an emoji is one character.
run "$tmp/empty" --max 63 "$rb" abc
expect "limit met" '<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c'
run "$tmp/empty" --max 62 "$rb" abc
expect "limit: groups of two" '<Font Color=#800080>ab<Font Color=#0000FF>c'
run "$tmp/empty" --max 23 "$rb" abc
expect "limit: one colour" '<Font Color=#0000FF>abc'
run "$tmp/empty" --max 22 "$rb" abc
expect_rejected "limit missed" "1 more than the limit of 22"
printf '\xf0\x9f\x98\x80\xf0\x9f\x98\x80\xf0\x9f\x98\x80\xf0\x9f\x98\x80' >"$tmp/emoji"
run "$tmp/emoji" --format html --max 74 "$rb" -
expect "limit in characters, emoji one each" $'<span style="color:#800080">\U0001F600\U0001F600</span><span style="color:#0000FF">\U0001F600\U0001F600</span>'

# Characters a game format cannot carry are refused, naming the character and where it is.
printf 'a\xc2\xa7b' >"$tmp/section"
run "$tmp/section" --format mc-section "$rb" -
expect_rejected "mc-section refuses the section sign" "character 2"
printf 'ab\n' >"$tmp/newline"
run "$tmp/newline" --format minimessage "$rb" -
expect_rejected "minimessage refuses a line feed" "U+000A"

# A saved scheme, read from the desktop's files: the same colours as given by hand.
run "$tmp/empty" 16711680,16744448 ab
cp "$tmp/out" "$tmp/by-hand"
run "$tmp/empty" --scheme Sunset --stops 2 --dir "$schemes" ab
expect_same "scheme, two stops" "$tmp/by-hand"
run "$tmp/empty" --format html 16711680,16744448,16776960,8453888,65280,128,32896,8388736,12632256,4210752 \
  'Hello world'
cp "$tmp/out" "$tmp/by-hand"
run "$tmp/empty" --format html --scheme Sunset --dir "$schemes" 'Hello world'
expect_same "scheme, ten stops" "$tmp/by-hand"
# "  lead" is quoted in the list; its section is [lead]. "BLUE" shares Blue's section.
run "$tmp/empty" --scheme '  lead' --stops 2 --dir "$schemes" a
expect "scheme with leading blanks" '<Font Color=#FFFFFF>a'
run "$tmp/empty" --scheme BLUE --stops 3 --dir "$schemes" a
expect "scheme sharing a section" '<Font Color=#FF0000>a'
# A name outside ASCII reaches the program as it is only natively (Wine converts arguments by
# the locale).
if [ "$native" = yes ]; then
  run "$tmp/empty" --scheme "$(printf 'Caf\xc3\xa9')" --stops 2 --dir "$schemes" b
  expect "scheme name in the code page" '<Font Color=#0080FF>b'
fi
# The current folder by default.
(cd "$schemes" && "${qfade[@]}" --scheme Sunset --stops 2 ab >"$tmp/out" 2>"$tmp/err")
rc=$?
run_by_hand=$("${qfade[@]}" 16711680,16744448 ab)
[ "$rc" -eq 0 ] && [ "$(cat "$tmp/out")" = "$run_by_hand" ] ||
  fail "scheme from the current folder: exit $rc, $(head -c 200 "$tmp/out" "$tmp/err")"
run "$tmp/empty" --scheme 'Red, Blue' --dir "$schemes" a
expect_rejected "a removed scheme" "no scheme 'Red, Blue'"
cp "$schemes/scheme.lst" "$tmp/scheme.lst"
printf '[Sunset]\r\nFade1=255\r\nFade2=-1\r\n' >"$tmp/color.dat"
run "$tmp/empty" --scheme Sunset --dir "$tmp" a
expect_rejected "a refused value" "Fade2"
run "$tmp/empty" --scheme Sunset --stops 3 --dir "$tmp/missing" a
expect_rejected "no scheme files" "scheme.lst"

# Bad options: one line, exit status 2.
run "$tmp/empty" --format rtf "$rb" a
expect_rejected "unknown format" "rtf"
run "$tmp/empty" --max 0 "$rb" a
expect_rejected "limit of 0" "--max"
run "$tmp/empty" --stops 3 "$rb" a
expect_rejected "--stops without --scheme" "--scheme"
run "$tmp/empty" --scheme Sunset "$rb" a
expect_rejected "--scheme and COLOURS" "COLOURS"

run "$tmp/empty" --list-formats
if [ "$rc" -ne 0 ] || [ "$(wc -l <"$tmp/out")" -ne 8 ] || ! grep -q '^mc-section' "$tmp/out"; then
  fail "--list-formats: exit $rc: $(head -c 300 "$tmp/out")"
fi
run "$tmp/empty" --version
if [ "$rc" -ne 0 ] || ! grep -Eq '^qfade [0-9]+\.[0-9]+\.[0-9]+ ' "$tmp/out"; then
  fail "--version: exit $rc: $(head -c 300 "$tmp/out")"
fi

if [ "$failures" -ne 0 ]; then
  echo "qfade_formats_test: $failures check(s) failed" >&2
  exit 1
fi
echo "qfade_formats_test: all checks passed"
