#!/usr/bin/env bash
# Fails when a host header (POSIX, FLTK, libmspack, <filesystem>, the Windows headers) is included outside
# src/platform.
top=${1:-.}
hits=$(grep -rniE '#include *<(unistd|fcntl|dirent|pwd|glob|sys/[a-z_]+|FL/[A-Za-z_]+|mspack|windows|winver|winreg|ddeml|lzexpand|shlobj|shellapi|objbase|commctrl|io)\.[hH]>|#include *<filesystem>' \
  "$top/src" 2>/dev/null | grep -v "^$top/src/platform/")
if [ -n "$hits" ]; then
  echo "host headers above the platform layer:"
  echo "$hits"
  exit 1
fi
echo "layering ok"
