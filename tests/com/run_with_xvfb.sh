#!/usr/bin/env bash
# Runs a Windows program under Wine on a display of its own:
#   run_with_xvfb.sh XVFB WINE WINESERVER PREFIX FOLDER PROGRAM ARGUMENTS...
# starts Xvfb, makes the Wine prefix PREFIX at its first use, empties FOLDER
# (the program's own), runs the program, waits for Wine to finish with the
# prefix and stops Xvfb. The program's exit status is the script's.
set -euo pipefail
xvfb=$1 wine=$2 wineserver=$3 prefix=$4 folder=$5
shift 5

rm -rf "$folder"
mkdir -p "$folder"
"$xvfb" -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$folder/display" 2>"$folder/xvfb.log" &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [ -s "$folder/display" ] && break
  sleep 0.1
done
[ -s "$folder/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -n 1 "$folder/display") WINEPREFIX=$prefix WINEDEBUG=-all

if [ ! -f "$prefix/system.reg" ]; then
  "$wine" wineboot --init
  # No window manager runs: Wine draws the windows' frames and captions.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
fi
"$wineserver" -w
status=0
"$wine" "$@" || status=$?
"$wineserver" -w
exit "$status"
