#!/usr/bin/env bash
# Runs Tessel Works on a copy of the demo project (so the checked-in project
# stays as it is): the window when a display is available, otherwise batch mode.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
work="$root/$build/demo-run"
rm -rf "$work"
mkdir -p "$work"
cp -r "$root/examples/demo/." "$work/"
cd "$work"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$root/$build/ui/tesselworks" demo.tpj
fi
echo "No display: running the demo project in batch mode (in $work)."
"$root/$build/ui/tesselworks" demo.tpj 'inclure "demo.spt"'
