#!/usr/bin/env bash
# qfade on inputs far longer than its output block: the markup must come out whole and in order
# however standard input arrives (a file, whose size is known up front, or a pipe), and input
# that turns out to be invalid only near its end must still leave stdout empty.
#   bash qfade_stream_test.sh [EMULATOR...] QFADE
set -u

if [ $# -lt 1 ]; then
  echo "usage: $0 [EMULATOR...] QFADE" >&2
  exit 2
fi
qfade=("$@")

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# 200,000 ASCII characters on one line: about 4 MB of markup, many blocks.
head -c 200000 < <(yes 'The quick <brown> fox & the lazy dog. ' | tr -d '\n') >"$tmp/long"
# With both stops the same colour every piece has that colour, so the expected markup is one
# substitution away from the text.
{
  sed 's/./<Font Color=#FF8000>&/g' "$tmp/long" | tr -d '\n'
  printf '\n'
} >"$tmp/expected"

"${qfade[@]}" '#FF8000,#FF8000' - <"$tmp/long" >"$tmp/out" 2>"$tmp/err"
rc=$?
if [ "$rc" -ne 0 ] || ! cmp -s "$tmp/out" "$tmp/expected" || [ -s "$tmp/err" ]; then
  fail "long line from a file: exit $rc, $(wc -c <"$tmp/out") bytes out, $(wc -c <"$tmp/expected") expected"
fi

cat "$tmp/long" | "${qfade[@]}" '#FF8000,#FF8000' - >"$tmp/out" 2>"$tmp/err"
rc=$?
if [ "$rc" -ne 0 ] || ! cmp -s "$tmp/out" "$tmp/expected" || [ -s "$tmp/err" ]; then
  fail "long line from a pipe: exit $rc, $(wc -c <"$tmp/out") bytes out, $(wc -c <"$tmp/expected") expected"
fi

# A stray byte at the very end: everything before it would fill many blocks.
{
  cat "$tmp/long"
  printf '\xff'
} >"$tmp/bad-end"
for source in file pipe; do
  if [ "$source" = file ]; then
    "${qfade[@]}" --wavy 255,65280,16711680,0 - <"$tmp/bad-end" >"$tmp/out" 2>"$tmp/err"
  else
    cat "$tmp/bad-end" | "${qfade[@]}" --wavy 255,65280,16711680,0 - >"$tmp/out" 2>"$tmp/err"
  fi
  rc=$?
  if [ "$rc" -ne 2 ] || [ -s "$tmp/out" ] || [ "$(wc -l <"$tmp/err")" -ne 1 ]; then
    fail "invalid byte at the end ($source): exit $rc, $(wc -c <"$tmp/out") bytes on stdout," \
      "stderr: $(head -c 200 "$tmp/err")"
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "qfade_stream_test: $failures check(s) failed" >&2
  exit 1
fi
echo "qfade_stream_test: all checks passed"
