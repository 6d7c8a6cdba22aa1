#!/usr/bin/env bash
# Cross-builds the native front end with a small demo program (build-winui/winui_demo.exe) so that its
# sources are checked with mingw-w64 on their own, and with --run drives the demo under Wine and Xvfb
# as an unprivileged user, leaving the transcript and screenshots in build-winui/run/.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
out=${WINUI_OUT:-$top/build-winui}
cxx=${CXX_MINGW:-x86_64-w64-mingw32-g++-posix}
command -v "$cxx" >/dev/null || { echo "skipped: $cxx is not installed"; exit 0; }
mkdir -p "$out/obj"
sources=(
  src/platform/dialog.cpp
  src/platform/machine/text_util.cpp src/platform/ui/answer_plan.cpp src/platform/ui/answers.cpp src/platform/ui/cp1252.cpp
  src/platform/ui/transcript.cpp src/platform/ui/transcript_lines.cpp
  src/platform/ui/dialog_template_bytes.cpp src/platform/ui/gui/page_pictures.cpp
  src/platform/ui/win32/desktop_windows.cpp src/platform/ui/win32/desktop_shell.cpp
  src/platform/ui/win32/win_ui.cpp
  src/resources/dialog_templates.cpp
  tools/winui_demo/main.cpp
)
objects=()
for s in "${sources[@]}"; do
  o="$out/obj/$(echo "$s" | tr '/' '_').o"
  if [ ! -f "$o" ] || [ "$top/$s" -nt "$o" ] || [ -n "$(find "$top/src" -name '*.h' -newer "$o" | head -1)" ]; then
    "$cxx" -std=c++20 -O1 -Wall -Wextra -I"$top/src" -c "$top/$s" -o "$o"
  fi
  objects+=("$o")
done
"$cxx" -static -o "$out/winui_demo.exe" "${objects[@]}" -lcomctl32 -lshell32 -lole32 -lgdi32 -luser32
echo "built $out/winui_demo.exe"
