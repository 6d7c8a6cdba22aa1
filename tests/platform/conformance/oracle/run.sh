#!/bin/sh
# Run one oracle probe under Wine.
#
#   ./run.sh PROBE SCRIPT          feed SCRIPT (a file, or - for stdin) to PROBE
#   ./run.sh PROBE -- ARG...       pass ARGs instead (short_probe takes paths)
#   ./run.sh --stop                stop the prefix's wineserver (flushes the
#                                  registry to *.reg; do this when finished)
#
# PROBE is profile_probe, reg_probe, ver_probe, short_probe or progman_probe (run under xvfb-run).  The transcript
# goes to stdout.  Before each run C:\probe is emptied and the test inputs are
# copied into C:\probe\in (ORACLE_KEEP=1 keeps C:\probe as it is): the ones
# committed beside the cases (../inputs), which the test suite stages too, or
# those of $ORACLE_INPUTS (e.g. "$ORACLE_BUILD/inputs" after build.sh made new ones).  The
# registry is NOT reset between runs: reg scripts clean up after themselves.
#
# Environment: see env.sh (WINEPREFIX default /tmp/oracle-prefix, created on
# first use; ORACLE_BUILD default /tmp/oracle-build).  Invoked as root, the
# script re-runs itself as the unprivileged user "oracle" (see env.sh).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"
oracle_drop_root "$here/run.sh" "$@"

usage() { echo "usage: $0 PROBE SCRIPT|- | $0 PROBE -- ARG... | $0 --stop" >&2; exit 2; }
[ $# -ge 1 ] || usage
if [ "$1" = --stop ]; then
    wineserver -k 2>/dev/null || true
    exit 0
fi
[ $# -ge 2 ] || usage
probe=$1
shift

exe="$ORACLE_BUILD/$probe.exe"
[ -f "$exe" ] || { echo "$exe missing: run build.sh first" >&2; exit 2; }

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # Wine refuses to create the prefix directory itself when its parent is
    # not ours (/tmp belongs to root); without it the first probe would run
    # while Wine is still initialising the prefix in the background.
    echo "creating $WINEPREFIX ..." >&2
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w   # wait until the services wineboot started have finished
fi

stage="$WINEPREFIX/drive_c/probe"
if [ "${ORACLE_KEEP:-0}" != 1 ]; then
    rm -rf "$stage"
fi
mkdir -p "$stage/in"
cp "${ORACLE_INPUTS:-$here/../inputs}"/* "$stage/in/"

if [ "$probe" = progman_probe ]; then
    # Wine's Program Manager service lives in its desktop process, which needs a display; a fresh
    # server each time, so that no desktop of an earlier display is left holding the service.
    wineserver -k 2>/dev/null || true
    [ "$1" = - ] && set -- /dev/stdin
    xvfb-run -a sh -c 'wine "$0" < "$1"; wineserver -k' "$exe" "$1"
    exit $?
fi
if [ "$1" = -- ]; then
    shift
    exec wine "$exe" "$@"
elif [ "$1" = - ]; then
    exec wine "$exe"
else
    exec wine "$exe" < "$1"
fi
