#!/bin/sh
# End-to-end test of the Download to Many Terminals window: the GUI test program
# under Wine serves simulated terminals that connect over RF from 127.0.0.2..4
# (each image checked byte for byte against its row of the table), then a
# terminal that stalls part way while Stop is pressed: it must be hung up on.
#
# Usage: site_window_e2e.sh NATIVE_BUILD_DIR GUI_TESTS_EXE
# Exit status 0: passed; 1: failed; 77: skipped (a tool is missing).
# Ends only what it started: its simulators by their ids and the Wine server of
# its own prefix.
set -u
native=$(cd "$1" && pwd)
driver=$2
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
sim=$native/terminal_sim
limit=60 # seconds for any single wait

for tool in "$sim" "$native/site_image"; do
    [ -x "$tool" ] || { echo "SKIP: no $tool (build native first)"; exit 77; }
done
command -v python3 >/dev/null || { echo "SKIP: python3 is not installed"; exit 77; }

prefix="$(cd "$(dirname "$driver")" && pwd)/wineprefix-site-window" lock_seconds=300
. "$here/peers.sh"
"$top/cmake/wine-prefix-init"
windir="Z:$(echo "$work" | sed 's|/|\\|g')\\"

# A settings file of the current version whose every byte is known: a pattern.
python3 - "$work/site.NET" <<'PY'
import sys
b = bytearray((i * 7 + 3) % 251 for i in range(163659))
b[0:5] = b"V106\0"
b[5] = 1  # product
open(sys.argv[1], "wb").write(b)
PY
printf 'LocalName,ConnectFrom\r\nWH-1,127.0.0.2\r\nWH-2,127.0.0.3\r\nWH-3,127.0.0.4\r\n' \
    >"$work/dock.csv"

# $1 case; runs the window's side of it.
drive() {
    VAROMIL_SITE_WINDOW_E2E=$1 VAROMIL_E2E_DIR="$windir" \
        "$top/cmake/wine-run" "$driver" --gtest_filter=SiteWindowEndToEnd.* >"$work/$1.txt" 2>&1
    status=$?
    grep -E 'Failure|Expected|Which is|OK \]|FAILED \]' "$work/$1.txt"
    [ "$status" -eq 0 ] || { cat "$work/$1.txt"; fail "$1: the Windows side failed"; }
}

sims_done() {
    for p in $pids; do kill -0 "$p" 2>/dev/null && return 1; done
    return 0
}

if ss -ltn 2>/dev/null | grep -q '[:.]3000 '; then fail "port 3000 is already in use"; fi
# Each simulator keeps knocking until the window's run listens.
for t in 3 1 2; do
    "$sim" --idle-ms 60000 --connect 127.0.0.1:3000 --from 127.0.0.$((t + 1)) \
        --image-out "$work/t$t.bin" >"$work/t$t.log" 2>&1 &
    pids="$pids $!"
done
drive serve
wait_for sims_done || fail "serve: simulators did not end"
pids=""
for t in 1 2 3; do
    "$native/site_image" "$work/site.NET" --each "$work/dock.csv" --row $t "$work/expected.bin" ||
        fail "serve: no expected image"
    cmp "$work/expected.bin" "$work/t$t.bin" || fail "serve: WH-$t got other bytes"
done
echo "ok: every row served from the window, byte for byte"

"$sim" --idle-ms 60000 --connect 127.0.0.1:3000 --stall-after 20 \
    --image-out "$work/stalled.bin" >"$work/stalled.log" 2>&1 &
pids="$pids $!"
drive stop
# Hung up on by the Stop: it ends at once rather than at its own time-out.
limit=5
wait_for sims_done || fail "stop: the stalled terminal's connection was left open"
echo "ok: Stop ends every transfer with the sockets closed"
echo "all site window cases passed"
