#!/bin/sh
# Benchmark of the command-line batch over RF on loopback: /count 20 against 20
# terminal simulators started together, measured against 20 times the time of
# one terminal served alone. Prints the times and the ratio (aim: at most 1.2).
#
# Usage: tools/bench_batch.sh NATIVE_BUILD_DIR WIN_BUILD_DIR   (after both builds)
# Ends only what it started: its simulators by their ids and the Wine server of
# its own prefix.
set -u
native=$(cd "$1" && pwd)
win=$(cd "$2" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
sim=$native/terminal_sim
prefix="$win/wineprefix-cli" lock_seconds=300
e2e="$top/tests/e2e"
. "$e2e/peers.sh"
"$top/cmake/wine-prefix-init"

# A current settings file of product 2; its contents do not matter here.
python3 -c 'import sys; sys.stdout.buffer.write(b"V106\0\2" + bytes(163659 - 6))' >"$work/site.NET"

listening() { ss -ltn 2>/dev/null | grep -q '[:.]3000 '; }

# Seconds of one terminal served alone: the simulator connects once the program
# listens, so no connection retry counts. The median of three runs.
single() {
    (cd "$work" && wine "$win/varomil.exe" /download site.NET /via rf /count 1 /log one.log \
        >/dev/null 2>&1) &
    prog=$!
    i=0
    until listening; do
        i=$((i + 1))
        [ "$i" -gt 600 ] && { echo "the program does not listen"; exit 1; }
        sleep 0.05
    done
    "$sim" --connect 127.0.0.1:3000 --idle-ms 20000 >/dev/null 2>&1
    wait "$prog"
}
for run in 1 2 3; do single; done
grep -h "terminal 1" "$work/one.log" | tr -d "\r" | sed "s/^/  single run: /"
one=$(tr -d '\r' <"$work/one.log" | grep -E 'terminal 1  RF  ok' | sed -E 's/.*  ([0-9.]+) s$/\1/' |
    sort -n | sed -n 2p)
[ -n "$one" ] || { echo "a single terminal failed"; exit 1; }

# Twenty together.
for n in $(seq 1 20); do
    # Long idle: the last ones wait in the queue while the others are served.
    "$sim" --connect 127.0.0.1:3000 --idle-ms 600000 >/dev/null 2>&1 &
    pids="$pids $!"
done
(cd "$work" && wine "$win/varomil.exe" /download site.NET /via rf /count 20 /wait 30 \
    /log twenty.log >/dev/null 2>&1)
status=$?
summary=$(tr -d '\r' <"$work/twenty.log" | tail -n 1)
if [ "$status" -ne 0 ]; then
    echo "the batch failed: $summary"
    tr -d '\r' <"$work/twenty.log" | grep failed
    exit 1
fi
total=$(echo "$summary" | sed -E 's/.*, ([0-9.]+) s$/\1/')
echo "one terminal alone: $one s"
echo "20 terminals: $summary"
awk -v t="$total" -v o="$one" 'BEGIN { printf "ratio: %.2f (20 terminals / 20 x one terminal)\n", t / (20 * o) }'
