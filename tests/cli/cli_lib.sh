# What the qfade command-line tests share, sourced by each with the test's own arguments:
#   source "$(dirname "$0")/cli_lib.sh" "$@"
# All arguments together are the command that runs qfade (natively just its path; for the
# Windows build, scripts/wine-run path/qfade.exe); `native` says which. Gives a scratch folder
# ($tmp, with an empty file), fail MESSAGE (counted in $failures), and run INPUT ARGS... (qfade
# with INPUT as standard input: $tmp/out, $tmp/err and the exit status in $rc).
if [ $# -lt 1 ]; then
  echo "usage: $0 [EMULATOR...] QFADE" >&2
  exit 2
fi
qfade=("$@")
native=$([ $# -eq 1 ] && echo yes || echo no)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
: >"$tmp/empty"
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# run INPUT_FILE ARGS...: runs qfade with INPUT_FILE as standard input; sets rc.
run() {
  local input=$1
  shift
  "${qfade[@]}" "$@" <"$input" >"$tmp/out" 2>"$tmp/err"
  rc=$?
}
