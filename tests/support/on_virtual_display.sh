# Runs the calling desktop test on a virtual display of its own (sourced
# first, with the script's arguments):
#   source on_virtual_display.sh NAME SCREEN "$@"
# NAME signs the skip message; SCREEN is Xvfb's screen (e.g. 1600x1200x24).
# Outside the display the script is started again under xvfb-run with
# --on-display before its own arguments, or skipped (exit 77) without
# xvfb-run; inside, the marker is taken off the arguments.
if [ "${3:-}" != --on-display ]; then
  if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "$1: xvfb-run is not installed; skipped"
    exit 77
  fi
  exec xvfb-run -a -s "-screen 0 $2" bash "$0" --on-display "${@:3}"
fi
