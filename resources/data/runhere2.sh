#!/bin/sh
# Vendle: runs a program file with the MMBasic interpreter in a terminal
# window (the entry "MMB4W" of the Action menu).
#
# Vendle starts this script as
#   /bin/sh runhere2.sh <starting folder> <program> <parameters...>
# in its program folder, every value an argument of its own: no value is
# ever read as shell text here either, so keep every expansion quoted.
# The program the entry names is used when it can run here; otherwise an
# MMBasic interpreter found on the search path ("mmbasic", "mmb4l").
# Vendle looks for this script beside the program first, then in its data
# folder; it never overwrites it there, so edit it as you like.

name=runhere2.sh

if [ "${1-}" = "--vendle-in-terminal" ]; then
  # Second stage, inside the terminal window.
  shift
  folder=${1-}
  interp=${2-}
  if [ $# -ge 2 ]; then shift 2; else shift $#; fi
  if [ -n "$folder" ]; then
    cd -- "$folder" || printf 'Cannot enter the folder %s\n' "$folder"
  fi
  if [ -z "$interp" ]; then
    printf 'No MMBasic interpreter was found.\n'
    printf 'Install one as "mmbasic" on the search path, or name it in the program field of the entry.\n'
  else
    "$interp" "$@"
    status=$?
    printf '\n[%s ended with status %s]\n' "$interp" "$status"
  fi
  printf 'Press Enter to close this window. '
  read -r _ || true
  exit 0
fi

folder=${1-}
program=${2-}
if [ $# -ge 2 ]; then shift 2; else shift $#; fi

interp=
if [ -n "$program" ] && [ -f "$program" ] && [ -x "$program" ]; then
  interp=$program
else
  for candidate in mmbasic mmb4l; do
    if found=$(command -v "$candidate" 2>/dev/null) && [ -n "$found" ]; then
      interp=$found
      break
    fi
  done
fi

term=
for candidate in "${TERMINAL-}" x-terminal-emulator gnome-terminal konsole xfce4-terminal mate-terminal kitty \
    alacritty xterm; do
  if [ -n "$candidate" ] && command -v "$candidate" >/dev/null 2>&1; then
    term=$candidate
    break
  fi
done

if [ -z "$term" ]; then
  if [ -z "$interp" ]; then
    printf '%s: no MMBasic interpreter ("mmbasic" on the search path) and no terminal emulator (x-terminal-emulator, xterm, ...) found\n' "$name" >&2
  else
    printf '%s: no terminal emulator (x-terminal-emulator, xterm, ...) found to run %s in\n' "$name" "$interp" >&2
  fi
  exit 1
fi

case ${term##*/} in
  gnome-terminal) exec "$term" -- /bin/sh "$0" --vendle-in-terminal "$folder" "$interp" "$@" ;;
  xfce4-terminal | mate-terminal) exec "$term" -x /bin/sh "$0" --vendle-in-terminal "$folder" "$interp" "$@" ;;
  kitty) exec "$term" /bin/sh "$0" --vendle-in-terminal "$folder" "$interp" "$@" ;;
  *) exec "$term" -e /bin/sh "$0" --vendle-in-terminal "$folder" "$interp" "$@" ;;
esac
