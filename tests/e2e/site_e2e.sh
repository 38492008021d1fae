#!/bin/sh
# End-to-end test of a site batch: varomil.exe /download under Wine with a table
# of terminals, against terminal simulators over RF that connect from 127.0.0.2
# and up in an order other than the rows', a stranger, a stalled terminal and a
# peer that connects and closes again and again; then two COM ports at once
# (socat pty pairs). Each received image is checked byte for byte against its
# row, and against the CRC-32 the log gives; the log and the report.
# Usage: site_e2e.sh NATIVE_BUILD_DIR WIN_BUILD_DIR
set -u
native=$(cd "$1" && pwd)
win=$(cd "$2" && pwd)
sim=$native/terminal_sim
prefix="$win/wineprefix-site" lock_seconds=300 limit=60
needs="$sim $native/site_image socat python3"
. "$(dirname "$0")/peers.sh"

"$top/cmake/wine-prefix-init"
map_com 1 "$work/ttyA0" 2 "$work/ttyB0"
pattern_settings "$work/site.NET"

# $1 name; the rest: simulator options. Waits until it has connected.
start_sim() {
    name=$1
    shift
    "$sim" --idle-ms 60000 --image-out "$work/$name.bin" "$@" >"$work/$name.log" 2>&1 &
    pids="$pids $!"
    wait_for "grep -qE '^(ready|closed)' '$work/$name.log'" || fail "$name: did not connect"
}

# $1 the case; the rest: the program's arguments. Starts it with its log in
# $work/$1.log; end_program waits for it, shows the log (as $work/$1, LF lines)
# and checks that the exit code is its $1.
run_program() {
    log=$1
    shift
    ( cd "$work" && timeout 120 wine "$win/varomil.exe" "$@" /log "$log.log" ) \
        >"$work/out.txt" 2>/dev/null &
    program=$!
}
end_program() {
    wait "$program"
    status=$?
    tr -d '\r' <"$work/$log.log" >"$work/$log"
    cat "$work/$log"
    [ "$status" -eq "$1" ] || fail "$log: exit code $status"
}

# RF: four rows, /parallel 2.
printf '\357\273\277LocalName,ConnectFrom,LoginPassword\r\nWH-1,127.0.0.2,alpha1\r\n' >"$work/dock.csv"
printf 'WH-2,127.0.0.3,"be,ta2"\r\nWH-3,127.0.0.4,gamma3\r\nWH-4,127.0.0.5,delta4\r\n' >>"$work/dock.csv"
rf_port_free
run_program rf /download site.NET /via rf /each dock.csv /parallel 2 /wait 30 /report rf.csv
start_sim stranger --connect 127.0.0.1:3000 --from 127.0.0.9
start_sim stalled --connect 127.0.0.1:3000 --from 127.0.0.5 --stall-after 20
start_sim t3 --connect 127.0.0.1:3000 --from 127.0.0.4
start_sim closer --connect 127.0.0.1:3000 --from 127.0.0.3 --connect-close 100
start_sim t1 --connect 127.0.0.1:3000 --from 127.0.0.2
start_sim t2 --connect 127.0.0.1:3000 --from 127.0.0.3
end_program 1
await_sims rf
grep -q '^hellos 0 packets 0 ' "$work/stranger.log" || fail "rf: the stranger was sent bytes"
head -1 "$work/rf" | grep -qx 'allowed: 127.0.0.2, 127.0.0.3, 127.0.0.4, 127.0.0.5' ||
    fail "rf: allowed addresses"
expect_lines "$work/rf" site_rf.txt rf
for t in 1 2 3; do
    crc=$(check_image "$work/t$t.bin" --each "$work/dock.csv" --row $t) ||
        fail "rf: terminal WH-$t: image"
    grep -qE "  terminal [0-9]  row $t WH-$t  127\.0\.0\.$((t + 1)):[0-9]+  RF  ok  [0-9.]+ s  CRC $crc\$" \
        "$work/rf" || fail "rf: no log line for WH-$t with CRC $crc"
done
tr -d '\r' <"$work/rf.csv" | sed 's/^\xef\xbb\xbf//' >"$work/report"
cat "$work/report"
[ "$(head -1 "$work/report")" = "Terminal,LocalName,ConnectFrom,LoginPassword,Peer,Link,Result,Seconds,CRC-32" ] ||
    fail "rf: report header"
expect_lines "$work/report" site_rf_report.txt "rf report"
echo "ok: RF rows by address, a stranger, a stalled terminal, a closing peer"

# Serial: COM1 and COM2 at the same time, one terminal each, /set for both.
pty_pair "$work/ttyA0" "$work/ttyA1"
socats=$socat_pid
pty_pair "$work/ttyB0" "$work/ttyB1"
socats="$socats $socat_pid"
start_sim com1 --tty "$work/ttyA1"
start_sim com2 --tty "$work/ttyB1"
run_program serial /download site.NET /via rs232 /port COM1,COM2 /baud 115200 /count 2 \
    /set LocalName=DOCK /wait 20
end_program 0
kill $socats
wait_for 'grep -q "^hellos" "$work/com1.log" && grep -q "^hellos" "$work/com2.log"' ||
    fail "serial: simulators did not end"
for n in 1 2; do
    crc=$(check_image "$work/com$n.bin" --set LocalName=DOCK) || fail "serial: COM$n: image"
    grep -qE "  terminal [12]  COM$n  RS-232  ok  [0-9.]+ s  CRC $crc\$" "$work/serial" ||
        fail "serial: no log line for COM$n"
done
expect_lines "$work/serial" site_serial.txt serial
echo "ok: two COM ports at once"
echo "all site cases passed"
