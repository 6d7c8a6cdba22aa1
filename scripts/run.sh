#!/usr/bin/env bash
# `make run`: the setup on the bundled sample media, into a fresh prefix under the build directory.
# The setup picks its front end by what can answer: the windows on a display, the terminal on a terminal,
# and the unattended mode when nothing can.
set -eu
build=${1:-build}
media=""
for name in full small; do
  if [ -d "$build/media/$name" ]; then media="$build/media/$name"; break; fi
done
if [ -z "$media" ]; then
  # No sample media built: a kit distribution with nothing to copy still walks the whole wizard.
  media="$build/media/minimal"
  mkdir -p "$media"
  printf '[INSTALL]\r\nCODE=11\r\n' > "$media/INSTOVRA.INI"
fi
prefix="$build/run-prefix"
rm -rf "$prefix"
transcript="$build/run-transcript.txt"
echo "Installing $media into the prefix $prefix"
status=0
"$build/setup" --prefix "$prefix" --media "$media" --transcript "$transcript" || status=$?
echo "setup ended with status $status; transcript: $transcript"
if [ -d "$prefix/drive_c" ]; then
  echo "The prefix is at $prefix (C: is $prefix/drive_c)"
  # The command is offered only where it can work: the media carry the IDE as a real program only when
  # the build found mingw-w64, and Wine must be there to start it.
  if [ ! -f "$build/kitprograms/Ovra.exe" ]; then
    echo "The IDE on the sample media is a version-only image (mingw-w64 was not found when building), so it does not run."
  elif ! command -v wine >/dev/null 2>&1; then
    echo "Wine is not installed; with it, the IDE would run under Wine from this prefix."
  elif [ ! -f "$prefix/drive_c/OVRA/BIN/Ovra.exe" ] && [ -z "$(find "$prefix/drive_c" -maxdepth 3 -iname ovra.exe 2>/dev/null | head -1)" ]; then
    echo "The IDE was not installed (the setup did not finish)."
  else
    echo "run the IDE with: WINEPREFIX=$PWD/$prefix wine 'C:\\OVRA\\bin\\Ovra.exe'"
  fi
fi
exit $status
