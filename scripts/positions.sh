# Where the program's windows and their controls are on the screen, read from the named
# positions the build writes from the layout tables (<build>/positions.txt, one
# "name = left top width height" a line). Sourced by the scripts that click on and look at the
# running program, so none of them retypes a coordinate:
#   source scripts/positions.sh
#   qf_positions_load build/windows64/positions.txt
#   qf_point main.send && xdotool mousemove "$QF_X" "$QF_Y" click 1
# Every function returns 1 and says why on stderr for a missing file or an unknown name.

declare -gA QF_POSITIONS=()
# The display's dots per inch: positions are the layout's 96-dpi pixels, and at another scale
# each edge is mapped as the program maps it (qf_px). Set it before asking for positions.
QF_DPI=${QF_DPI:-96}

# A 96-dpi length or coordinate at QF_DPI: the nearest pixel, halves upward, as the program's
# Scale rounds, so edges that touch at 96 dpi touch at every scale.
qf_px() { echo $((($1 * QF_DPI + 48) / 96)); }

# Reads the file; a line it cannot read or a name given twice is an error, not skipped.
qf_positions_load() {  # FILE
  local file=$1 name equals left top width height rest number=0
  if [ ! -r "$file" ]; then
    echo "positions: no $file (the build's positions target writes it)" >&2
    return 1
  fi
  QF_POSITIONS=()
  while IFS=' ' read -r name equals left top width height rest; do
    number=$((number + 1))
    case $name in '' | '#'*) continue ;; esac
    if [ "$equals" != = ] || [ -n "$rest" ] || ! [[ "$left $top $width $height" =~ ^-?[0-9]+\ -?[0-9]+\ [0-9]+\ [0-9]+$ ]]; then
      echo "positions: $file line $number is not \"name = left top width height\"" >&2
      return 1
    fi
    if [ -n "${QF_POSITIONS[$name]+set}" ]; then
      echo "positions: $file names $name twice" >&2
      return 1
    fi
    QF_POSITIONS[$name]="$left $top $width $height"
  done <"$file"
}

# The rectangle of NAME on the screen, in QF_RECT (left top width height): a window's as
# written, anything else moved by the place of its window (the part of NAME before the first
# dot, then ".window").
qf_rect() {  # NAME
  local name=$1 window=${1%%.*}.window
  local -a own place
  if [ -z "${QF_POSITIONS[$name]+set}" ]; then
    echo "positions: no position named $name" >&2
    return 1
  fi
  read -r -a own <<<"${QF_POSITIONS[$name]}"
  if [ "$name" = "$window" ]; then
    # A window: its place on the screen and its size, each mapped.
    QF_RECT=("$(qf_px "${own[0]}")" "$(qf_px "${own[1]}")" "$(qf_px "${own[2]}")" "$(qf_px "${own[3]}")")
    return 0
  fi
  # Inside a window each edge is mapped on its own: the width is what lies between them.
  own=("$(qf_px "${own[0]}")" "$(qf_px "${own[1]}")"
       $(($(qf_px $((own[0] + own[2]))) - $(qf_px "${own[0]}")))
       $(($(qf_px $((own[1] + own[3]))) - $(qf_px "${own[1]}"))))
  if [ -z "${QF_POSITIONS[$window]+set}" ]; then
    echo "positions: no window $window for $name" >&2
    return 1
  fi
  read -r -a place <<<"${QF_POSITIONS[$window]}"
  QF_RECT=($(($(qf_px "${place[0]}") + own[0])) $(($(qf_px "${place[1]}") + own[1])) "${own[2]}" "${own[3]}")
}

# A point of NAME on the screen, in QF_X and QF_Y: its middle, or with X and Y each one of
#   mid   the middle of that side
#   N     N pixels in from its left (or top) edge, 0 being the first column (row)
#   -N    N pixels back from its right (or bottom) edge, -1 being the last column (row)
qf_point() {  # NAME [X Y]
  qf_rect "$1" || return 1
  QF_X=$(_qf_along "${2:-mid}" "${QF_RECT[0]}" "${QF_RECT[2]}") || return 1
  QF_Y=$(_qf_along "${3:-mid}" "${QF_RECT[1]}" "${QF_RECT[3]}") || return 1
}

_qf_along() {  # WHERE START LENGTH
  case $1 in
    mid) echo $(($2 + $3 / 2)) ;;
    -[0-9]*) echo $(($2 + $3 + $1)) ;;
    [0-9]*) echo $(($2 + $1)) ;;
    *) echo "positions: no point \"$1\" along a side (mid, N or -N)" >&2; return 1 ;;
  esac
}

# NAME's rectangle on the screen as ImageMagick's crop geometry: WIDTHxHEIGHT+LEFT+TOP.
qf_geometry() {  # NAME
  qf_rect "$1" || return 1
  echo "${QF_RECT[2]}x${QF_RECT[3]}+${QF_RECT[0]}+${QF_RECT[1]}"
}
