# Sourced by run.sh, check.sh and regdump.sh: the Wine environment of the oracle.
ORACLE_BUILD=${ORACLE_BUILD:-/tmp/oracle-build}
WINEPREFIX=${WINEPREFIX:-/tmp/oracle-prefix}
WINEARCH=win64
WINEDEBUG=${WINEDEBUG:--all}                        # also silences the wine32 hint
WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=} # never offer Mono/Gecko
export ORACLE_BUILD WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES
unset DISPLAY WAYLAND_DISPLAY                        # console only, no X server

# Wine run as root ignores the read-only attribute when opening for write
# (root bypasses the Unix permission Wine maps it to), so the oracle runs as
# an unprivileged user.  ORACLE_AS_ROOT=1 turns this off.
# Usage: oracle_drop_root "$0" "$@"   (re-executes the caller as that user)
oracle_drop_root() {
    if [ "$(id -u)" = 0 ] && [ "${ORACLE_AS_ROOT:-0}" != 1 ]; then
        u=${ORACLE_USER:-oracle}
        id "$u" >/dev/null 2>&1 || useradd -m -s /bin/sh "$u"
        exec runuser -u "$u" -- env ORACLE_BUILD="$ORACLE_BUILD" WINEPREFIX="$WINEPREFIX" \
            WINEDEBUG="$WINEDEBUG" WINEDLLOVERRIDES="$WINEDLLOVERRIDES" \
            ORACLE_KEEP="${ORACLE_KEEP:-0}" ORACLE_INPUTS="${ORACLE_INPUTS:-}" "$@"
    fi
}
