#!/usr/bin/env bash
# The windows as a person uses them, read back from the live X screen (import -window root), never from
# the program's own pictures: one Xvfb for the whole script, the setup run once without a window manager
# and once under openbox, driven by keys typed with xdotool.
#
#   gui_live.sh SETUP MEDIA_DIR OUT_DIR
#
# Checked in both runs: typed text shows in the name and destination fields while they have focus; after
# "Invalid input" the keys go to the field again (not to the buttons' mnemonics); Help opens a window with
# the page's topic that Escape closes; the readme viewer can be closed; the animation box changes during
# the copy; the title stays inside the 1024x768 screen. OUT_DIR/nowm and OUT_DIR/wm keep a capture of
# every page. Exit 77 (skipped) without Xvfb, xdotool or ImageMagick.
set -u
setup=$1 media=$2 out=$3
for tool in Xvfb xdotool import convert compare; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d /tmp/ovra-live.XXXXXX)
server=""
cleanup() {
  [ -n "${setup_pid:-}" ] && kill "$setup_pid" 2>/dev/null
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$server" ] && kill "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
exec 3<> <(:)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 3>"$work/display" &
server=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "skipped: Xvfb did not start"; exit 77; }
export DISPLAY=":$(head -1 "$work/display")"
unset XAUTHORITY

fail=0
failed() {
  echo "FAIL ($mode): $*"
  fail=1
}
# The page the setup shows now: the last "page N" line of its transcript.
page() { grep -E '^page [0-9]+ ' "$transcript" 2>/dev/null | tail -1 | cut -d' ' -f2; }
wait_for() {  # wait_for REGEX [seconds]: a transcript line
  local deadline=$((SECONDS + ${2:-20}))
  until grep -qE "$1" "$transcript" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || return 1
    kill -0 "$setup_pid" 2>/dev/null || return 1
    sleep 0.1
  done
}
lines() { wc -l <"$transcript" 2>/dev/null || echo 0; }
# wait_page N: page N is on the screen (its transcript entry is written once it is drawn).
wait_page() { wait_for "^page $1 " 20 && sleep 0.4; }
# shot FILE: the screen once it has stopped changing (a loaded machine may draw late), at most ~4 s.
shot() {
  import -window root "$1"
  for _ in $(seq 20); do
    sleep 0.2
    import -window root "$1.next.png"
    if [ "$(compare -metric AE "$1" "$1.next.png" null: 2>&1)" = "0" ]; then
      rm -f "$1.next.png"
      return
    fi
    mv "$1.next.png" "$1"
  done
}
# changed A B: the bounding box "WxH+X+Y" of the pixels that differ between two captures.
changed() { convert "$1" "$2" -compose difference -composite -threshold 0 -trim -format '%w %h %X %Y' info: 2>/dev/null; }
# dark_width IMAGE W H X Y: how wide the dark (text) pixels inside that rectangle spread.
dark_width() {
  convert "$1" -crop "${2}x${3}+${4}+${5}" +repage -fuzz 35% -fill white +opaque black -negate -trim \
    -format '%w' info: 2>/dev/null
}
key() { xdotool key --delay 60 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 60 "$1"; sleep 0.4; }

run() {
  mode=$1
  [ -n "${setup_pid:-}" ] && kill "$setup_pid" 2>/dev/null && wait "$setup_pid" 2>/dev/null
  local dir="$work/$mode"
  mkdir -p "$dir" "$out/$mode"
  rm -f "$out/$mode"/*.png
  transcript="$dir/transcript.txt"
  "$setup" --ui gui --prefix "$dir/prefix" --media "$media" --transcript "$transcript" >"$dir/output.txt" 2>&1 &
  setup_pid=$!
  # The pointer rests on the background, away from every window: keys must reach the page all the same.
  xdotool mousemove 5 760

  wait_page 1 || { failed "no first page"; cat "$dir/output.txt"; return; }
  shot "$out/$mode/page-1.png"
  # The title fits the screen: no white title pixels in the last column.
  local edge
  edge=$(convert "$out/$mode/page-1.png" -crop 12x200+1012+20 -fill black +opaque white -format '%[fx:maxima.r]' info:)
  [ "$edge" = "0" ] || failed "the title runs off the right edge of the screen"
  # Help (its mnemonic) opens the topic of the presentation page; Escape closes it again.
  key h
  wait_for '^help ' 5 || failed "no help was asked for"
  shot "$dir/help.png"
  cp "$dir/help.png" "$out/$mode/help-1.png"
  read -r w h _ _ <<<"$(changed "$out/$mode/page-1.png" "$dir/help.png")"
  [ "${w:-0}" -ge 400 ] && [ "${h:-0}" -ge 300 ] || failed "no help window on the screen (changed ${w:-0}x${h:-0})"
  key Escape
  shot "$dir/after-help.png"
  # Only the buttons' focus moved (to Help, as its mnemonic does).
  read -r w h _ _ <<<"$(changed "$out/$mode/page-1.png" "$dir/after-help.png")"
  [ "${h:-0}" -le 30 ] || failed "the help window stayed on the screen after Escape"

  key n
  wait_page 2 || { failed "no licence page"; return; }
  shot "$out/$mode/page-2.png"
  key Return
  wait_page 3 || { failed "no readme page"; return; }
  shot "$out/$mode/page-3.png"
  # The readme opens in a viewer of ours; Escape closes it, and Skip moves on.
  key Return
  wait_for '^shellexecute ' 5 && sleep 0.4
  shot "$out/$mode/readme.png"
  read -r w h _ _ <<<"$(changed "$out/$mode/page-3.png" "$out/$mode/readme.png")"
  [ "${w:-0}" -ge 400 ] || failed "no readme window on the screen"
  key Escape
  shot "$dir/after-readme.png"
  read -r w h _ _ <<<"$(changed "$out/$mode/page-3.png" "$dir/after-readme.png")"
  [ "${w:-0}" -le 1 ] || failed "the readme window could not be closed"
  key s
  local n
  for _ in 1 2 3 4; do
    sleep 0.5
    n=$(page)
    case "$n" in
      6 | 7) break ;;
      *) shot "$out/$mode/page-$n.png" && key Return ;;
    esac
  done

  # The user page: the name field has the focus; what is typed is on the screen.
  wait_page 6 || { failed "no user page"; return; }
  shot "$dir/user-before.png"
  # Exit by its mnemonic, then Cancel: the keyboard is still in the name field, so the letters typed
  # next go into it and press no button.
  key alt+e
  sleep 0.3
  key Escape
  wait_for '^messagebox id=1063 .* answer=Cancel' 5 || failed "Exit by its mnemonic did not ask, or Cancel did not answer"
  type_text "Ann Smith"
  shot "$out/$mode/page-6.png"
  # The whole name, not only its last letters: its text spreads over some 50 pixels of the field.
  local x y
  read -r w h x y <<<"$(changed "$dir/user-before.png" "$out/$mode/page-6.png")"
  tw=$(dark_width "$out/$mode/page-6.png" "${w:-1}" "${h:-1}" "${x:-0}" "${y:-0}")
  [ "${tw:-0}" -ge 40 ] && [ "${h:-0}" -le 22 ] ||
    failed "the typed name is not on the screen (text ${tw:-0} pixels wide, change ${w:-0}x${h:-0})"
  key Tab
  type_text "Acme"
  key Return
  wait_page 5 || { failed "no setup-type page"; return; }
  shot "$out/$mode/page-5.png"
  key Return

  # The destination: emptied, Next, "Invalid input", OK; the keys then go to the field again.
  wait_page 7 || { failed "no destination page"; return; }
  key End shift+Home Delete
  shot "$dir/dest-empty.png"
  key Return
  sleep 0.3
  shot "$out/$mode/message-1062.png"
  read -r w h x y <<<"$(changed "$dir/dest-empty.png" "$out/$mode/message-1062.png")"
  [ "${x:-0}" -ge 100 ] && [ "${y:-0}" -ge 100 ] ||
    failed "the message box is not drawn inside its frame (the screen changed from ${x:-0},${y:-0})"
  key Return
  wait_for '^messagebox id=1062 ' 5 || failed "no \"Invalid input\" for an empty destination"
  shot "$dir/dest-after-box.png"
  read -r w h _ _ <<<"$(changed "$dir/dest-empty.png" "$dir/dest-after-box.png")"
  [ "${w:-0}" -le 2 ] || failed "the page did not come back as it was after the message box"
  type_text 'C:\KIT'
  shot "$out/$mode/page-7.png"
  read -r w h x y <<<"$(changed "$dir/dest-empty.png" "$out/$mode/page-7.png")"
  tw=$(dark_width "$out/$mode/page-7.png" "${w:-1}" "${h:-1}" "${x:-0}" "${y:-0}")
  [ "${tw:-0}" -ge 25 ] && [ "${h:-0}" -le 22 ] ||
    failed "the typed destination is not in the field (text ${tw:-0} pixels wide, change ${w:-0}x${h:-0})"
  # (Exit was pressed once, on purpose, on the user page.)
  [ "$(grep -c '^press 103' "$transcript")" -le 1 ] || failed "typing after the message box pressed Exit"
  key Return

  wait_page 8 || { failed "no summary page"; return; }
  shot "$out/$mode/page-8.png"
  grep -q 'edit 201 "Ann Smith"' "$transcript" || failed "the name did not reach the page"
  key Return
  # The progress window: two captures of the animation box a little apart differ.
  wait_for '^progress show' 20 || failed "no progress window"
  import -window root "$dir/progress-a.png"
  sleep 0.35
  import -window root "$dir/progress-b.png"
  cp "$dir/progress-a.png" "$out/$mode/progress.png"
  # The box: 72x90 dialog units at 11,4 of the 319x126 progress window centred on the screen.
  local px=$(((1024 - (319 * 6 + 2) / 4 - 6) / 2 + 3 + (11 * 6 + 2) / 4))
  local py=$(((768 - (126 * 13 + 4) / 8 - 24) / 2 + 21 + (4 * 13 + 4) / 8))
  local box="$(((72 * 6 + 2) / 4))x$(((90 * 13 + 4) / 8))+$px+$py"
  local diff
  diff=$(compare -metric AE <(convert "$dir/progress-a.png" -crop "$box" png:-) \
    <(convert "$dir/progress-b.png" -crop "$box" png:-) null: 2>&1)
  [ "${diff%% *}" != "0" ] 2>/dev/null || failed "the animation box did not change during the copy"
  # The messages after the copy and the finish page: Enter takes each one's default button.
  for _ in $(seq 12); do
    kill -0 "$setup_pid" 2>/dev/null || break
    sleep 0.5
    grep -qE '^page 12 ' "$transcript" && shot "$out/$mode/page-12.png"
    key Return
  done
  wait "$setup_pid"
  local rc=$?
  setup_pid=""
  [ $rc -eq 0 ] || failed "the setup ended with status $rc"
  [ -d "$dir/prefix/drive_c/KIT" ] || [ -d "$dir/prefix/drive_c/kit" ] || failed "nothing was installed in C:\\KIT"
}

run nowm
if command -v openbox >/dev/null 2>&1; then
  HOME="$work" openbox >/dev/null 2>&1 &
  wm_pid=$!
  sleep 1
  run wm
else
  echo "openbox is not installed: the run under a window manager is left out"
fi
[ $fail -eq 0 ] && echo "live screen checks passed; captures in $out"
exit $fail
