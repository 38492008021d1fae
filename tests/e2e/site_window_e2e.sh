#!/bin/sh
# End-to-end test of the Download to Many Terminals window: the GUI test program
# under Wine serves simulated terminals that connect over RF from 127.0.0.2..4
# (each image checked byte for byte against its row of the table), then a
# terminal that stalls part way while Stop is pressed: it must be hung up on.
# Usage: site_window_e2e.sh NATIVE_BUILD_DIR GUI_TESTS_EXE
set -u
native=$(cd "$1" && pwd)
driver=$2
sim=$native/terminal_sim
prefix="$(cd "$(dirname "$driver")" && pwd)/wineprefix-site-window" lock_seconds=300 limit=60
needs="$sim $native/site_image python3"
. "$(dirname "$0")/peers.sh"

pattern_settings "$work/site.NET"
printf 'LocalName,ConnectFrom\r\nWH-1,127.0.0.2\r\nWH-2,127.0.0.3\r\nWH-3,127.0.0.4\r\n' \
    >"$work/dock.csv"

rf_port_free
# Each simulator keeps knocking until the window's run listens.
for t in 3 1 2; do
    "$sim" --idle-ms 60000 --connect 127.0.0.1:3000 --from 127.0.0.$((t + 1)) \
        --image-out "$work/t$t.bin" >"$work/t$t.log" 2>&1 &
    pids="$pids $!"
done
VAROMIL_SITE_WINDOW_E2E=serve drive "$work/serve.txt" 'SiteWindowEndToEnd.*' serve
await_sims serve
for t in 1 2 3; do
    check_image "$work/t$t.bin" --each "$work/dock.csv" --row $t >/dev/null ||
        fail "serve: WH-$t got other bytes"
done
echo "ok: every row served from the window, byte for byte"

"$sim" --idle-ms 60000 --connect 127.0.0.1:3000 --stall-after 20 \
    --image-out "$work/stalled.bin" >"$work/stalled.log" 2>&1 &
pids="$pids $!"
VAROMIL_SITE_WINDOW_E2E=stop drive "$work/stop.txt" 'SiteWindowEndToEnd.*' stop
# Hung up on by the Stop: it ends at once rather than at its own time-out.
limit=5
wait_for sims_done || fail "stop: the stalled terminal's connection was left open"
echo "ok: Stop ends every transfer with the sockets closed"
echo "all site window cases passed"
