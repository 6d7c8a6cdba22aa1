#!/usr/bin/env bash
# Fails when the test list shows a parameter as bytes ("GetParam() = 24-byte object <F5-4E ...>") or a
# parameterised case only by its number: each needs a PrintTo and a name generator.
set -u
list=$("$1" --gtest_list_tests) || { echo "cannot list the tests of $1"; exit 1; }
status=0
if dumps=$(grep -E 'byte object <' <<<"$list"); then
  echo "parameters listed as byte dumps (give the parameter type a PrintTo):"
  echo "$dumps"
  status=1
fi
if numbered=$(grep -E '/[0-9]+( |$)' <<<"$list"); then
  echo "parameterised cases named only by their number (give the suite a name generator):"
  echo "$numbered"
  status=1
fi
exit $status
