#!/usr/bin/env bash
# Builds the libFuzzer drivers (clang, build-fuzz/) and runs each for SECONDS, starting from the seeds in
# fuzz/corpus/NAME plus files of the sample media and the test inputs. Prints, per driver, the
# executions and the findings (crash, leak, timeout or out-of-memory inputs, kept in
# build-fuzz/findings/). With --ci, exits non-zero when any driver found something.
#   scripts/fuzz.sh SECONDS [--ci]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
ci=${2:-}
out=${FUZZ_BUILD:-build-fuzz}
media=${MEDIA_DIR:-build/media/small}
inputs=${CONFORMANCE_INPUTS:-tests/platform/conformance/inputs}

cmake -S . -B "$out" -G Ninja -DOVRA_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null || exit 1
cmake --build "$out" -j "${JOBS:-$(nproc)}" --target fuzz_drivers >/dev/null || {
  cmake --build "$out" -j 1 --target fuzz_drivers | tail -30
  exit 1
}

# Extra seeds by driver: host globs (missing ones are skipped).
seeds_for() {
  case "$1" in
    install_list_fuzz) ls "$media"/*/*.INS "$media"/*.INS ;;
    data_record_fuzz) ls "$media"/*/*.DAT "$media"/*.DAT ;;
    szdd_fuzz) ls "$inputs"/*_ tests/tools/*_ ;;
    pe_version_fuzz) ls "$inputs"/*.dll tests/tools/*.dll ;;
    ini_fuzz) ls "$media"/*.INI "$media"/*.ini ;;
    hf_csv_fuzz) ls "$media"/HF.csv ;;
    manifest_fuzz) ls media/*.manifest ;;
  esac 2>/dev/null
}

mkdir -p "$out/findings"
failed=0
total=0
printf '%-20s %12s %9s\n' driver executions findings
for driver in fuzz/*_fuzz.cpp; do
  name=$(basename "$driver" .cpp)
  corpus="$out/corpus/$name"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null
  for f in $(seeds_for "$name"); do cp "$f" "$corpus/seed-$(basename "$f")"; done
  before=$(ls "$out/findings" | grep -c "^$name-" || true)
  log="$out/$name.log"
  "$out/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -print_final_stats=1 -artifact_prefix="$out/findings/$name-" "$corpus" >"$log" 2>&1
  status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  after=$(ls "$out/findings" | grep -c "^$name-" || true)
  found=$((after - before))
  [ "$status" -ne 0 ] && [ "$found" -eq 0 ] && found=1
  printf '%-20s %12s %9s\n' "$name" "${runs:-?}" "$found"
  total=$((total + ${runs:-0}))
  if [ "$found" -ne 0 ]; then
    failed=1
    grep -m 5 -E 'ERROR|SUMMARY|property violated|runtime error' "$log" | sed 's/^/    /'
  fi
done
echo "total executions: $total"
if [ "$ci" = "--ci" ] && [ "$failed" -ne 0 ]; then
  echo "fuzz-ci: findings above (inputs in $out/findings)"
  exit 1
fi
exit 0
