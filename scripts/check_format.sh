#!/usr/bin/env bash
# Fails when a C++ file differs from what clang-format makes of it (the Wine probes, plain C of their
# own, are not ours to reformat).
set -u
bad=0
while IFS= read -r f; do
  if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f"
    bad=1
  fi
done < <(git ls-files '*.cpp' '*.h' ':!tests/platform/conformance/oracle')
exit $bad
