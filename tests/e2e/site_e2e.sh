#!/bin/sh
# End-to-end test of a site batch: varomil.exe /download under Wine with a table
# of terminals, against terminal simulators over RF that connect from 127.0.0.2
# and up in an order other than the rows', a stranger, a stalled terminal and a
# peer that connects and closes again and again; then two COM ports at once
# (socat pty pairs). Each received image is checked byte for byte against its
# row, and against the CRC-32 the log gives; the log and the report.
#
# Usage: site_e2e.sh NATIVE_BUILD_DIR WIN_BUILD_DIR
# Exit status 0: passed; 1: failed; 77: skipped (a tool is missing).
# Ends only what it started: its simulators and socat by their ids and the Wine
# server of its own prefix.
set -u
native=$(cd "$1" && pwd)
win=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
sim=$native/terminal_sim
limit=60 # seconds for any single wait

for tool in "$sim" "$native/site_image"; do
    [ -x "$tool" ] || { echo "SKIP: no $tool (build native first)"; exit 77; }
done
for tool in socat python3; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

prefix="$win/wineprefix-site" lock_seconds=300
. "$here/peers.sh"

"$top/cmake/wine-prefix-init"
for p in A B; do
    n=$([ $p = A ] && echo 1 || echo 2)
    wine reg add 'HKLM\Software\Wine\Ports' /v COM$n /t REG_SZ /d "$work/tty${p}0" /f \
        >/dev/null 2>&1 || fail "cannot map COM$n in $WINEPREFIX"
done
wineserver -w

# A settings file of the current version whose every byte is known: a pattern.
python3 - "$work/site.NET" <<'EOF'
import sys
b = bytearray((i * 7 + 3) % 251 for i in range(163659))
b[0:5] = b"V106\0"
b[5] = 1  # product
open(sys.argv[1], "wb").write(b)
EOF

# $1 image received; the rest: what site_image needs for the image it should
# be. Checks it byte for byte and prints its CRC-32.
check_image() {
    got=$1
    shift
    "$native/site_image" "$work/site.NET" "$@" "$work/expected.bin" || return 1
    cmp "$work/expected.bin" "$got" >&2 || return 1
    python3 -c 'import sys, zlib; print("%08X" % zlib.crc32(open(sys.argv[1], "rb").read()[:59659]))' "$got"
}

# $1 name; the rest: simulator options. Waits until it has connected.
start_sim() {
    name=$1
    shift
    "$sim" --idle-ms 60000 --image-out "$work/$name.bin" "$@" >"$work/$name.log" 2>&1 &
    pids="$pids $!"
    wait_for "grep -qE '^(ready|closed)' '$work/$name.log'" || fail "$name: did not connect"
}

sims_done() {
    for p in $pids; do kill -0 "$p" 2>/dev/null && return 1; done
    return 0
}

run_program() {
    ( cd "$work" && timeout 120 wine "$win/varomil.exe" "$@" ) >"$work/out.txt" 2>/dev/null &
    program=$!
}

# RF: rows by address whatever the order; the stranger gets nothing; the
# stalled terminal fails alone; the peer that only connects and closes takes no
# row. Four rows, /parallel 2.
printf '\357\273\277LocalName,ConnectFrom,LoginPassword\r\nWH-1,127.0.0.2,alpha1\r\n' >"$work/dock.csv"
printf 'WH-2,127.0.0.3,"be,ta2"\r\nWH-3,127.0.0.4,gamma3\r\nWH-4,127.0.0.5,delta4\r\n' >>"$work/dock.csv"
if ss -ltn 2>/dev/null | grep -q '[:.]3000 '; then fail "port 3000 is already in use"; fi
run_program /download site.NET /via rf /each dock.csv /parallel 2 /wait 30 /log rf.log \
    /report rf.csv
start_sim stranger --connect 127.0.0.1:3000 --from 127.0.0.9
start_sim stalled --connect 127.0.0.1:3000 --from 127.0.0.5 --stall-after 20
start_sim t3 --connect 127.0.0.1:3000 --from 127.0.0.4
start_sim closer --connect 127.0.0.1:3000 --from 127.0.0.3 --connect-close 100
start_sim t1 --connect 127.0.0.1:3000 --from 127.0.0.2
start_sim t2 --connect 127.0.0.1:3000 --from 127.0.0.3
wait "$program"
status=$?
tr -d '\r' <"$work/rf.log" >"$work/rf"
cat "$work/rf"
[ "$status" -eq 1 ] || fail "rf: exit code $status"
wait_for sims_done || fail "rf: simulators did not end"
pids=""
grep -q '^hellos 0 packets 0 ' "$work/stranger.log" || fail "rf: the stranger was sent bytes"
grep -qE '^[0-9: -]+  127\.0\.0\.9:[0-9]+  refused: address not allowed$' "$work/rf" ||
    fail "rf: no refusal of the stranger"
head -1 "$work/rf" | grep -qx 'allowed: 127.0.0.2, 127.0.0.3, 127.0.0.4, 127.0.0.5' ||
    fail "rf: allowed addresses"
closed=$(grep -cE '  127\.0\.0\.3:[0-9]+  closed: no terminal answered$' "$work/rf")
[ "$closed" -ge 1 ] && [ "$closed" -le 100 ] || fail "rf: $closed closings logged"
for t in 1 2 3; do
    crc=$(check_image "$work/t$t.bin" --each "$work/dock.csv" --row $t) ||
        fail "rf: terminal WH-$t: image"
    grep -qE "  terminal [0-9]  row $t WH-$t  127\.0\.0\.$((t + 1)):[0-9]+  RF  ok  [0-9.]+ s  CRC $crc\$" \
        "$work/rf" || fail "rf: no log line for WH-$t with CRC $crc"
done
grep -qE '  row 4 WH-4  127\.0\.0\.5:[0-9]+  RF  failed: Error on downloading!  ' "$work/rf" ||
    fail "rf: the stalled terminal's line"
grep -q '^4 terminals: 3 ok, 1 failed, ' "$work/rf" || fail "rf: summary"
grep -qE 'alpha1|be,ta2|gamma3|delta4' "$work/rf" "$work/rf.csv" && fail "rf: a password shown"
tr -d '\r' <"$work/rf.csv" | sed 's/^\xef\xbb\xbf//' >"$work/report"
cat "$work/report"
[ "$(head -1 "$work/report")" = "Terminal,LocalName,ConnectFrom,LoginPassword,Peer,Link,Result,Seconds,CRC-32" ] ||
    fail "rf: report header"
[ "$(grep -cE '^[1-4],WH-[1-4],127\.0\.0\.[2-5],\*\*\*,127\.0\.0\.[2-5]:[0-9]+,RF,' "$work/report")" -eq 4 ] ||
    fail "rf: report rows"
echo "ok: RF rows by address, a stranger, a stalled terminal, a closing peer"

# Serial: COM1 and COM2 at the same time, one terminal each, /set for both.
for p in A B; do
    socat pty,raw,echo=0,link="$work/tty${p}0" pty,raw,echo=0,link="$work/tty${p}1" \
        2>"$work/socat$p.log" &
    eval "socat$p=$!"
    pids="$pids $!"
done
wait_for '[ -e "$work/ttyA1" ] && [ -e "$work/ttyB1" ]' || fail "serial: socat pairs not up"
start_sim com1 --tty "$work/ttyA1"
start_sim com2 --tty "$work/ttyB1"
run_program /download site.NET /via rs232 /port COM1,COM2 /baud 115200 /count 2 \
    /set LocalName=DOCK /wait 20 /log serial.log
wait "$program"
status=$?
tr -d '\r' <"$work/serial.log" >"$work/serial"
cat "$work/serial"
[ "$status" -eq 0 ] || fail "serial: exit code $status"
# shellcheck disable=SC2154
kill "$socatA" "$socatB"
wait_for 'grep -q "^hellos" "$work/com1.log" && grep -q "^hellos" "$work/com2.log"' ||
    fail "serial: simulators did not end"
for n in 1 2; do
    crc=$(check_image "$work/com$n.bin" --set LocalName=DOCK) || fail "serial: COM$n: image"
    grep -qE "  terminal [12]  COM$n  RS-232  ok  [0-9.]+ s  CRC $crc\$" "$work/serial" ||
        fail "serial: no log line for COM$n"
    grep -qE "  waiting for terminal [12] on COM$n\$" "$work/serial" || fail "serial: waiting line"
done
grep -q '^2 terminals: 2 ok, 0 failed, ' "$work/serial" || fail "serial: summary"
echo "ok: two COM ports at once"
echo "all site cases passed"
