# Shared by the end-to-end scripts (sourced, after setting prefix, lock_seconds,
# limit: the seconds of any wait, needs: programs by path and tools by name, and
# e2e from outside tests/e2e): a skip (exit 77) without what it needs, the
# script's own Wine prefix, the machine-wide lock of the fixed RF port, a scratch
# folder ($work, $windir as the program names it) and an exit that ends the
# processes the script started (their pids in $pids) and its Wine server only.
e2e=${e2e:-$(cd "$(dirname "$0")" && pwd)}
top=$(cd "$e2e/../.." && pwd)
for tool in ${needs:-}; do
    case "$tool" in
    /*) [ -x "$tool" ] || { echo "SKIP: no $tool (build native first)"; exit 77; } ;;
    *) command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; } ;;
    esac
done
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# One download test at a time per machine: the RF link's port is fixed.
exec 8>/tmp/varomil-download-e2e.lock
flock -w "$lock_seconds" 8 || { echo "FAIL: another download test holds the lock"; exit 1; }

work=$(mktemp -d)
pids=""
cleanup() {
    for p in $pids; do kill "$p" 2>/dev/null; done
    for p in $pids; do wait "$p" 2>/dev/null; done
    wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

. "$e2e/waits.sh"
windir="$(winpath "$work")\\"
export VAROMIL_E2E_DIR="$windir" # where the GUI test program's end-to-end cases work

rf_port_free() { ! ss -ltn 2>/dev/null | grep -q '[:.]3000 ' || fail "port 3000 is already in use"; }

# None of the processes in $pids runs any more.
sims_done() {
    for p in $pids; do kill -0 "$p" 2>/dev/null && return 1; done
    return 0
}
# Waits for them to end, then forgets them; $1 names the case.
await_sims() { wait_for sims_done || fail "$1: simulators did not end"; pids=""; }

# Maps COM ports of the prefix to paths: N PATH, N PATH...
map_com() {
    while [ $# -ge 2 ]; do
        wine reg add 'HKLM\Software\Wine\Ports' /v "COM$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1 ||
            fail "cannot map COM$1 in $WINEPREFIX"
        shift 2
    done
    wineserver -w
}

# A socat pty pair between the links $1 and $2; its pid in $socat_pid (and $pids).
pty_pair() {
    socat pty,raw,echo=0,link="$1" pty,raw,echo=0,link="$2" 2>>"$work/socat.log" &
    socat_pid=$!
    pids="$pids $socat_pid"
    wait_for "[ -e '$1' ] && [ -e '$2' ]" || fail "socat pair $1 not up"
}

# Runs the GUI test program ($driver) on the tests $2, which must pass (one, not
# skipped), with its output in $1; the environment is the caller's. $3: the case.
drive() {
    "$top/cmake/wine-run" "$driver" --gtest_filter="$2" >"$1" 2>&1
    status=$?
    grep -E '^download |Failure|Expected|Which is|OK \]|FAILED \]' "$1"
    [ "$status" -eq 0 ] && grep -q '^\[  PASSED  \] 1 test\.' "$1" ||
        { cat "$1"; fail "$3: the Windows side failed"; }
}

# A settings file of the current version whose every byte is known: a pattern.
pattern_settings() {
    python3 -c 'import sys; b = bytearray((i * 7 + 3) % 251 for i in range(163659))
b[0:6] = b"V106\0\1"; open(sys.argv[1], "wb").write(b)' "$1"
}

# $1 image received; the rest: what site_image ($native) needs for the image it
# should be. Checks it byte for byte and prints its CRC-32.
check_image() {
    got=$1
    shift
    "$native/site_image" "$work/site.NET" "$@" "$work/expected.bin" || return 1
    cmp "$work/expected.bin" "$got" >&2 || return 1
    python3 -c 'import sys, zlib; print("%08X" % zlib.crc32(open(sys.argv[1], "rb").read()[:59659]))' "$got"
}

# Checks a log ($1) against a case file of tests/data/e2e ($2): each line "N ERE",
# "N-M ERE" or "N- ERE", how many lines of the log match. $3: the case.
expect_lines() {
    while read -r n re; do
        case "$n" in '#'* | '') continue ;; esac
        got=$(grep -cE -- "$re" "$1")
        max=${n#*-}
        [ "$got" -ge "${n%-*}" ] && [ "$got" -le "${max:-$got}" ] || fail "$3: $got lines of '$re', not $n"
    done <"$top/tests/data/e2e/$2"
}
