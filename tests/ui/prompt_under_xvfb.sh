#!/usr/bin/env bash
# Drives the real program under a virtual X display with xdotool, on a copy
# of the demo project: Ctrl+I opens the script prompt, two statements are
# typed (a default folder for tilesets, then a conversion that adds a
# tileset and its palette into it), Ctrl+Entrée runs them, Ctrl+S saves and
# Ctrl+Q quits; the project file must then hold what the statements did.
#   prompt_under_xvfb.sh <tesselworks> <examples/demo>
set -euo pipefail
program=$(realpath "$1")
demo=$(realpath "$2")

if [ -z "${TESSEL_UNDER_XVFB:-}" ]; then
  export TESSEL_UNDER_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$program" "$demo"
fi

# The test presets run GUI tests offscreen; this one needs the X server.
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$demo/." "$work/"
cd "$work"

fail() {
  echo "FAIL: $*" >&2
  echo "--- program output:" >&2
  cat "$work/out.txt" >&2 || true
  exit 1
}

# The id of the first window whose name matches, waiting up to 15 s (or
# the number of fifths of a second given second).
find_window() {
  local id=""
  for _ in $(seq 1 "${2:-75}"); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.2
  done
  return 1
}

"$program" demo.tpj >"$work/out.txt" 2>&1 &
pid=$!

main=$(find_window '^Tessel Works 1\.00a$') || fail "the main window did not show"
# The window may still be finishing its start (the start event, the wait
# window): Ctrl+I is pressed again until the prompt shows.
prompt=""
for _ in 1 2 3 4 5; do
  sleep 0.5
  xdotool windowfocus --sync "$main" || true
  xdotool key --clearmodifiers ctrl+i
  if prompt=$(find_window '\(script\)$' 15); then break; fi
done
[ -n "$prompt" ] || fail "Ctrl+I did not open the script prompt"
xdotool windowfocus --sync "$prompt"
xdotool type --delay 15 'dossiers.mosaiques = "Graphismes"'
xdotool key Return
xdotool type --delay 15 'conv tset src=gfx/hero.png col=16 +16c tdim=16x16 name=hero'
xdotool key ctrl+Return

# The prompt closes once its statements have run.
for _ in $(seq 1 150); do
  if ! xdotool search --onlyvisible --name '\(script\)$' >/dev/null 2>&1; then break; fi
  sleep 0.2
done
xdotool search --onlyvisible --name '\(script\)$' >/dev/null 2>&1 && fail "the prompt stayed open"

xdotool windowfocus --sync "$main"
before=$(md5sum demo.tpj)
xdotool key --clearmodifiers ctrl+s
for _ in $(seq 1 50); do
  [ "$(md5sum demo.tpj)" != "$before" ] && break
  sleep 0.2
done
[ "$(md5sum demo.tpj)" != "$before" ] || fail "Ctrl+S did not save the project"

xdotool key --clearmodifiers ctrl+q
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "Ctrl+Q did not end the program"
wait "$pid" || fail "the program ended with an error"
pid=""

text=$(iconv -f CP1252 -t UTF-8 demo.tpj)
grep -q '^  DossierDéf\[4\] = "Graphismes"$' <<<"$text" || fail "no default folder line in demo.tpj"
# The conversion's tileset went into that folder.
grep -A4 '^  Elément: hero$' <<<"$text" | grep -q '^  Type: tileset$' ||
  fail "no tileset hero in demo.tpj"
grep -A5 '^  Elément: hero$' <<<"$text" | grep -q '^  Dossier: Graphismes$' ||
  fail "the tileset is not in Graphismes"
[ -f gfx/hero.til.c ] || fail "the conversion wrote no tileset file"
echo "PASS: prompt, Ctrl+S and Ctrl+Q under Xvfb"
