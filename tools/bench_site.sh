#!/bin/sh
# Benchmark of site batches, against one terminal served alone in the same run:
#   RF on loopback, 20 simulators together with /parallel 20 (aim: at most 2x);
#   RF, 100 simulators with /parallel 16 (aim: at most 10x, and the program's
#   peak memory at most 1.5x its peak with one terminal);
#   serial, 4 COM ports (socat pty pairs) against one port (aim: at most 1.3x).
# Prints times and ratios; it passes or fails nothing.
#
# Usage: tools/bench_site.sh NATIVE_BUILD_DIR WIN_BUILD_DIR   (after both builds)
# Ends only what it started: its simulators and socat by their ids and the Wine
# server of its own prefix.
set -u
native=$(cd "$1" && pwd)
win=$(cd "$2" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
sim=$native/terminal_sim
prefix="$win/wineprefix-site" lock_seconds=600
limit=60
e2e="$top/tests/e2e"
. "$e2e/peers.sh"
"$top/cmake/wine-prefix-init"
for n in 1 2 3 4; do
    wine reg add 'HKLM\Software\Wine\Ports' /v COM$n /t REG_SZ /d "$work/tty${n}a" /f \
        >/dev/null 2>&1
done
wineserver -w
python3 -c 'import sys; sys.stdout.buffer.write(b"V106\0\2" + bytes(163659 - 6))' >"$work/site.NET"

listening() { ss -ltn 2>/dev/null | grep -q '[:.]3000 '; }

# The peak resident memory (kB) of our varomil.exe while it runs: found once,
# then its VmHWM read until it ends.
peak=0
watch_memory() {
    found=""
    while [ -z "$found" ] && kill -0 "$1" 2>/dev/null; do
        for d in /proc/[0-9]*; do
            { tr '\0' ' ' <"$d/cmdline"; } 2>/dev/null | grep -q 'varomil\.exe' || continue
            { tr '\0' '\n' <"$d/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" &&
                found=$d && break
        done
    done
    while kill -0 "$1" 2>/dev/null; do
        kb=$(sed -n 's/^VmHWM:[^0-9]*\([0-9]*\).*/\1/p' "$found/status" 2>/dev/null)
        [ -n "$kb" ] && [ "$kb" -gt "$peak" ] && peak=$kb
        sleep 0.02
    done
}

# $1 log; the rest: arguments. Runs the program, watching its memory.
run() {
    log=$1
    shift
    (cd "$work" && wine "$win/varomil.exe" /download site.NET /log "$log" "$@" >/dev/null 2>&1) &
    prog=$!
    peak=0
    watch_memory "$prog"
    wait "$prog"
}
# Seconds of the batch (its summary line) and of its first terminal.
total() { tr -d '\r' <"$work/$1" | tail -n 1 | sed -E 's/.*, ([0-9.]+) s$/\1/'; }
summary() { tr -d '\r' <"$work/$1" | tail -n 1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# One terminal alone over RF: connects once the program listens.
(
    until listening; do sleep 0.05; done
    "$sim" --connect 127.0.0.1:3000 --idle-ms 20000 >/dev/null 2>&1
) &
pids="$pids $!"
run one.log /via rf /count 1
one=$(total one.log)
one_peak=$peak
echo "RF, one terminal alone: $(summary one.log), peak $one_peak kB"

# $1 simulators, $2 parallel.
rf_many() {
    for n in $(seq 1 "$1"); do
        "$sim" --connect 127.0.0.1:3000 --idle-ms 600000 >/dev/null 2>&1 &
        pids="$pids $!"
    done
    run "many$1.log" /via rf /count "$1" /parallel "$2" /wait 60
    t=$(total "many$1.log")
    echo "RF, $1 terminals /parallel $2: $(summary "many$1.log"), peak $peak kB"
    tr -d '\r' <"$work/many$1.log" | grep -E 'failed:|no terminal|closed:' | head -5
    echo "  ratio to one alone: $(ratio "$t" "$one") (time), $(ratio "$peak" "$one_peak") (memory)"
}
for case in ${BENCH_RF:-20,20 100,16}; do rf_many "${case%,*}" "${case#*,}"; done

# Serial: socat pairs COMn <-> simulator; one port, then four together.
serial() {
    ports="" mine=""
    for n in $(seq 1 "$1"); do
        socat pty,raw,echo=0,link="$work/tty${n}a" pty,raw,echo=0,link="$work/tty${n}b" \
            2>/dev/null &
        mine="$mine $!"
        wait_for "[ -e '$work/tty${n}b' ]" || { echo "socat pair $n not up"; exit 1; }
        "$sim" --tty "$work/tty${n}b" --idle-ms 20000 >/dev/null 2>&1 &
        mine="$mine $!"
        ports="$ports${ports:+,}COM$n"
    done
    run "serial$1.log" /via rs232 /baud 115200 /port "$ports" /count "$1" /wait 20
    echo "serial, $1 port(s): $(summary "serial$1.log")"
    for p in $mine; do kill "$p" 2>/dev/null; done
    for p in $mine; do wait "$p" 2>/dev/null; done
    rm -f "$work"/tty*
}
serial 1
serial_one=$(total serial1.log)
serial 4
echo "  ratio 4 ports to one: $(ratio "$(total serial4.log)" "$serial_one")"
