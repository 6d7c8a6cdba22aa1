#!/usr/bin/env bash
# The native program's windows under Wine and Xvfb: SETUP.EXE installs the full kit with its windowed
# front end, driven by an answers file, and every page, message box and progress window it shows is
# captured from the live X screen (import -window root), not from the program's own drawing. The
# program says when a window is ready (NAME.ready in the capture folder) and waits for NAME.done.
#
#   gui_screenshots.sh SETUP.EXE MEDIA_DIR OUT_DIR
#
# Exit 77 (skipped) without Wine, Xvfb, ImageMagick or the native build. Wine never runs as root: as
# root, the script runs itself again as the unprivileged user ovratest, in a prefix made for the run.
set -u
exe=$1 media=$2 out=$3
skip() {
  echo "skipped: $*"
  exit 77
}
for tool in wine wineserver xvfb-run import convert; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
[ -f "$exe" ] || skip "no native build at $exe (make windows)"
[ -d "$media" ] || skip "no sample media at $media"

if [ "$(id -u)" -eq 0 ]; then
  user=ovratest
  # Another Wine test may be creating the same user at this moment.
  id -u "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user" ||
    id -u "$user" >/dev/null 2>&1 || exit 1
  # The build tree may be out of the user's reach (below /root): the run gets its own copy of the
  # program, the media and this script, and the captures come back through root.
  work=$(mktemp -d /tmp/ovra-gui.XXXXXX)
  cp -r "$media" "$work/media" && cp "$exe" "$work/media/SETUP.EXE" && cp "$0" "$work/run.sh" || exit 1
  chown -R "$user" "$work"
  runuser -u "$user" -- env -i PATH="$PATH" HOME="$work" LANG=C OVRA_GUI_WORK="$work" \
    xvfb-run -a -s "-screen 0 1024x768x24" "$work/run.sh" "$work/media/SETUP.EXE" "$work/media" "$work/out"
  rc=$?
  mkdir -p "$out"
  rm -f "$out"/*.png
  cp "$work"/out/*.png "$out"/ 2>/dev/null
  rm -rf "$work"
  exit $rc
fi

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
work=${OVRA_GUI_WORK:-$(mktemp -d /tmp/ovra-gui.XXXXXX)}
mkdir -p "$out" "$work/live" "$work/shots"
[ -d "$work/media" ] || cp -r "$media" "$work/media"
[ "$exe" -ef "$work/media/SETUP.EXE" ] || cp "$exe" "$work/media/SETUP.EXE"
windows() { echo "Z:$1" | tr '/' '\\'; }
# Back once from the user page, and the folder browser once on the destination page.
printf 'name=Ada Lovelace\ncompany=Analytical Engines\ndestination=C:\\OVRA\npress.6=back\npress.7=browse\nbrowse=C:\\OVRA\n' \
  >"$work/answers.txt"

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineboot -i >/dev/null 2>&1
# No window manager runs on the test's X server: Wine places, maximises and decorates the windows itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Wine's own services may keep a server alive: give it a while to save and leave, then make it.
stop_wine() { timeout 20 wineserver -w >/dev/null 2>&1 || wineserver -k >/dev/null 2>&1; }
stop_wine
# The same answers through the headless front end, into a copy of the same fresh prefix.
cp -a "$WINEPREFIX" "$work/prefix-script"
WINEPREFIX="$work/prefix-script" wine "$work/media/SETUP.EXE" --ui script \
  --answers "$(windows "$work/answers.txt")" --transcript "$(windows "$work/script.txt")" >/dev/null 2>&1
WINEPREFIX="$work/prefix-script" stop_wine

OVRA_LIVE_CAPTURE=$(windows "$work/live") wine "$work/media/SETUP.EXE" --ui gui \
  --answers "$(windows "$work/answers.txt")" --transcript "$(windows "$work/transcript.txt")" \
  >"$work/output.txt" 2>&1 &
pid=$!
deadline=$((SECONDS + 600))
while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
  for ready in "$work"/live/*.ready; do
    [ -e "$ready" ] || continue
    name=$(basename "$ready" .ready)
    [ -e "$work/live/$name.done" ] && continue
    import -window root "$work/shots/$name.png" || echo "import failed for $name"
    touch "$work/live/$name.done"
  done
  sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
  echo "SETUP.EXE did not finish in time"
  kill "$pid"
fi
wait "$pid"
rc=$?
stop_wine
cp "$work"/shots/*.png "$out"/ 2>/dev/null

fail=0
if [ "$rc" -ne 0 ]; then
  echo "SETUP.EXE exit status $rc"
  cat "$work/output.txt"
  fail=1
fi
# The windows said what the headless run says (the free space of the disk moves between two runs).
without_free_space() { grep -v '^  edit 208 ' "$1"; }
if ! diff <(without_free_space "$work/script.txt") <(without_free_space "$work/transcript.txt") >"$work/diff.txt"; then
  echo "the transcript of the windows differs from the headless one:"
  head -40 "$work/diff.txt"
  fail=1
fi
# One capture per page shown, in the order of the transcript.
pages=$(grep -E '^page [0-9]+ ' "$work/transcript.txt" 2>/dev/null | cut -d' ' -f2 | tr '\n' ' ')
shots=$(ls "$work/shots" | grep -E '^[0-9]+-page-[0-9]+\.png$' | sed -E 's/^[0-9]+-page-([0-9]+)\.png$/\1/' | tr '\n' ' ')
if [ -z "$pages" ] || [ "$pages" != "$shots" ]; then
  echo "pages in the transcript: $pages"
  echo "page captures:           $shots"
  fail=1
fi
# A capture of a drawn screen has the background, the page and its picture: many colours, not a blank.
for png in "$work"/shots/*.png; do
  [ -e "$png" ] || continue
  colours=$(convert "$png" -format %k info: 2>/dev/null || echo 0)
  if [ "${colours:-0}" -lt 16 ]; then
    echo "$(basename "$png"): only $colours colours"
    fail=1
  fi
done
[ $fail -eq 0 ] && echo "$(ls "$work/shots" | wc -l) captures in $out"
[ -z "${OVRA_GUI_WORK:-}" ] && rm -rf "$work"
exit $fail
