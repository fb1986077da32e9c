#!/bin/bash
# Runs a 64-bit Windows test program headlessly under Wine for CTest: own Xvfb, own wineserver,
# a Wine virtual desktop (focus and captions without a window manager) and the zh_CN.UTF-8 locale
# so that the ANSI code page is 936.
#
# usage: run-in-wine.sh [--screenshot OUT.png --screenshot-after SECONDS] PROGRAM.exe [ARGS...]
#
# explorer /desktop does not pass the program's exit code through, so the verdict is the
# program's last non-empty stdout line, "WINE-EXIT-CODE: N" (WineBench.h: ReportExitCode).
# Exit status: N, 0 meaning pass; 1 if that line is missing (crash, early exit); 124 if the
# program outlived VARN_WINE_TIMEOUT seconds (default 300); 125 if the harness could not start.
#
# VARN_WINE_PREFIX (default ~/.cache/varn-wine) is initialised once and then only read: each run
# works on a hard-linked copy of it, which gives the run its own wineserver for about 30 ms.
set -euo pipefail

readonly WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver
readonly SCREEN=1280x900

die() { echo "run-in-wine: $*" >&2; exit 125; }
usage() { die "usage: $0 [--screenshot OUT.png --screenshot-after SECONDS] PROGRAM.exe [ARGS...]"; }

shot='' shot_after=''
while (($#)); do
    case $1 in
        --screenshot) (($# >= 2)) || usage; shot=$2; shift 2 ;;
        --screenshot-after) (($# >= 2)) || usage; shot_after=$2; shift 2 ;;
        -*) usage ;;
        *) break ;;
    esac
done
(($# >= 1)) || usage
[[ -z $shot && -z $shot_after ]] || [[ -n $shot && $shot_after =~ ^[0-9]+(\.[0-9]+)?$ ]] ||
    die "--screenshot and --screenshot-after SECONDS go together"
timeout=${VARN_WINE_TIMEOUT:-300}
[[ $timeout =~ ^[0-9]+$ ]] || die "VARN_WINE_TIMEOUT must be whole seconds"
[[ -x $WINE ]] || die "$WINE not found (apt-get install wine64)"
[[ -f $1 ]] || die "no such program: $1"
prog=$(realpath "$1"); shift
[[ -z $shot ]] || shot=$(realpath "$shot")
cache=${VARN_WINE_PREFIX:-${HOME:?}/.cache/varn-wine}

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

# shellcheck source=../../scripts/zh-locale.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/zh-locale.sh"

start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "${SCREEN}x24" -nolisten tcp 3>"$work/display" \
        </dev/null >/dev/null 2>"$work/xvfb.log" &
    xvfb_pid=$!
    local i
    for ((i = 0; i < 200; i++)); do
        if [[ -s $work/display ]]; then
            DISPLAY=:$(<"$work/display")
            export DISPLAY
            return
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    die "Xvfb did not start: $(<"$work/xvfb.log")"
}

cache_ready() { [[ -f $cache/.varn-ready && $(<"$cache/.varn-ready") == "$("$WINE" --version)" ]]; }

build_cache() {
    echo "run-in-wine: initialising Wine prefix $cache (once, about 15 s)" >&2
    rm -rf "$cache"
    WINEPREFIX=$cache "$WINE" wineboot -i >/dev/null 2>&1 || die "wineboot failed for $cache"
    # Without this a crashing test waits for a click on Wine's crash dialog instead of failing.
    WINEPREFIX=$cache "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
        /t REG_DWORD /d 0 /f >/dev/null 2>&1 || die "cannot configure $cache"
    WINEPREFIX=$cache "$WINESERVER" -w
    "$WINE" --version >"$cache/.varn-ready"
}

# Wine rewrites registry and ini files in place when they have more than one link, so the run
# gets real copies of everything but program images, which nothing writes to.
copy_prefix() {
    run_prefix=$(mktemp -d "$cache.run.XXXXXX")
    cp -a --link "$cache/." "$run_prefix/" || die "cannot hard-link $cache"
    (cd "$cache" && find . -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.nls' \
        -o -iname '*.sys' -o -iname '*.drv' -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' \
        -o -iname '*.tlb' -o -iname '*.ds' -o -iname '*.msstyles' \) -print0 |
        xargs -0 -r cp -a --parents --remove-destination -t "$run_prefix") ||
        die "cannot copy $cache"
    # Never let this copy update its hard-linked DLLs in place after a Wine upgrade.
    echo disable >"$run_prefix/.update-timestamp"
}

prepare_prefix() {
    mkdir -p "$(dirname "$cache")"
    local lock
    exec {lock}>"$cache.lock"
    flock -s "$lock"
    if ! cache_ready; then
        flock -x "$lock"
        cache_ready || build_cache
    fi
    copy_prefix
    exec {lock}>&-
}

# shellcheck disable=SC2317  # runs from the EXIT trap
# The wineserver's socket directory is keyed by the prefix's device and inode; remove it while
# the prefix still holds that inode, so a later prefix reusing the inode keeps its own.
remove_server_dir() {
    local srv
    printf -v srv 'server-%s-%x' "$(stat -c %D "$run_prefix")" "$(stat -c %i "$run_prefix")"
    rm -rf /tmp/wine-*/"$srv" "/tmp/.wine-$(id -u)/$srv"
}

run_prefix='' work='' xvfb_pid='' timer_pid='' shot_pid='' tee_pid=''
# shellcheck disable=SC2317  # runs from the EXIT trap
cleanup() {
    local status=$?
    set +e    # clean up as much as possible and keep the verdict's status
    trap - EXIT INT TERM HUP
    if [[ -n $run_prefix ]]; then
        WINEPREFIX=$run_prefix "$WINESERVER" -k 2>/dev/null
        [[ -z $tee_pid ]] || wait "$tee_pid" 2>/dev/null
        remove_server_dir
        rm -rf "$run_prefix"
    fi
    local pid
    for pid in $timer_pid $shot_pid $xvfb_pid; do kill "$pid" 2>/dev/null; done
    [[ -z $work ]] || rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

ensure_zh_locale
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 2>/dev/null    # bash itself may predate the locale
work=$(mktemp -d "${TMPDIR:-/tmp}/run-in-wine.XXXXXX")
start_xvfb
prepare_prefix
export WINEPREFIX=$run_prefix

# Stream the program's output live, without the CRs Wine's console adds, and keep a copy for the verdict.
exec {out}> >(tr -d '\r' | tee "$work/stdout")
tee_pid=$!
"$WINE" explorer "/desktop=varn-test,$SCREEN" "$prog" "$@" >&"$out" </dev/null &
wine_pid=$!
exec {out}>&-

sleep "$timeout" & timer_pid=$!
if [[ -n $shot ]]; then sleep "$shot_after" & shot_pid=$!; fi
timed_out=
while :; do
    done_pid=
    wait -n -p done_pid "$wine_pid" "$timer_pid" ${shot_pid:+"$shot_pid"} || true
    if [[ $done_pid == "$timer_pid" ]]; then
        timed_out=1
        break
    elif [[ -n $shot_pid && $done_pid == "$shot_pid" ]]; then
        shot_pid=
        import -window root "$shot" >&2 || echo "run-in-wine: screenshot failed" >&2
    else
        break
    fi
done
[[ -z $shot_pid ]] || echo "run-in-wine: program ended before the screenshot was due" >&2

# Ending the wineserver ends every process of this run and so closes the output pipe.
WINEPREFIX=$run_prefix "$WINESERVER" -k 2>/dev/null || true
wait "$tee_pid" || true
tee_pid=

if [[ -n $timed_out ]]; then
    echo "run-in-wine: timed out after ${timeout} s" >&2
    exit 124
fi
verdict=$(grep -v '^[[:space:]]*$' "$work/stdout" | tail -n 1 || true)
if [[ $verdict =~ ^WINE-EXIT-CODE:\ ([0-9]{1,3})$ ]] && ((10#${BASH_REMATCH[1]} <= 255)); then
    exit $((10#${BASH_REMATCH[1]}))
fi
[[ ! $verdict =~ ^WINE-EXIT-CODE:\ -?[0-9]+$ ]] || exit 1    # beyond a byte, still a failure
echo "run-in-wine: no 'WINE-EXIT-CODE: N' as the last output line (crashed or exited early)" >&2
exit 1
