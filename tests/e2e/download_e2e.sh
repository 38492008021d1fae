#!/bin/sh
# End-to-end download test: the Windows program under Wine against the terminal
# simulator, on COM1 (a socat pty pair mapped in the test's own Wine prefix, with
# the cradle set-up) and on the RF link (the program listens on port 3000, the
# simulator connects over loopback). The settings image and a program file must
# arrive byte for byte.
# Usage: download_e2e.sh TERMINAL_SIM GUI_TESTS_EXE
set -u
sim=$1
driver=$2
[ -x "$sim" ] || {
    echo "SKIP: no native terminal_sim at '$sim' (configure with -DVAROMIL_TERMINAL_SIM=PATH)"
    exit 77
}
prefix="$(cd "$(dirname "$driver")" && pwd)/wineprefix-e2e" lock_seconds=120 limit=20 needs=socat
. "$(dirname "$0")/peers.sh"

"$top/cmake/wine-prefix-init"
# COM1 of the prefix: where each serial case puts the program's end of its line.
map_com 1 "$work/ttyV0"
cp "$e2e/program.SHX" "$work/program.SHX"
expected_records=$(tr -d ' \n' <"$e2e/program-records.hex")

hex() { od -An -v -tx1 "$1" | tr -d ' \n'; }

# $1 name, $2 settings|program, $3 link index, $4 speed index, $5 the line:
# socat (a pty pair), pty (the simulator's own pty, which shows the speed the
# program sets) or rf; then simulator options.
run_case() {
    name=$1 kind=$2 via=$3 speed=$4 link=$5
    shift 5
    out="$work/$name"
    mkdir -p "$out"
    rm -f "$work/ttyV0" "$work/ttyV1"
    sim_out="--image-out $out/image.bin --records-out $out/records.bin --idle-ms 30000"
    socat_pid=""
    case "$link" in
    socat)
        pty_pair "$work/ttyV0" "$work/ttyV1"
        "$sim" --tty "$work/ttyV1" $sim_out "$@" >"$out/sim.log" 2>&1 &
        ;;
    pty) "$sim" --pty "$work/ttyV0" $sim_out "$@" >"$out/sim.log" 2>&1 & ;;
    rf)
        rf_port_free
        "$sim" --connect 127.0.0.1:3000 $sim_out "$@" >"$out/sim.log" 2>&1 &
        ;;
    esac
    pids="$pids $!"
    if [ "$link" != rf ]; then
        wait_for 'grep -q ready "$out/sim.log"' || fail "$name: simulator not ready"
    fi
    VAROMIL_E2E_ERASE_BUSY=$erase_busy VAROMIL_E2E_EXPECT=$expect VAROMIL_DOWNLOAD_E2E=$kind \
        VAROMIL_E2E_VIA=$via VAROMIL_E2E_SPEED=$speed drive "$out/driver.log" 'DownloadEndToEnd.*' "$name"
    # The simulator ends when the program hangs up; on the serial line the hang-up
    # is the end of the pty pair. It writes what it received as it ends.
    [ -z "$socat_pid" ] || kill "$socat_pid" 2>/dev/null
    # Its last line comes after its output files are written.
    wait_for 'grep -q "^hellos" "$out/sim.log"' || fail "$name: simulator did not end"
    await_sims "$name"
    cat "$out/sim.log"
    if [ -n "$expect" ]; then
        : # the Windows side checked the messages; the caller checks the simulator
    elif [ "$kind" = settings ]; then
        cmp "$work/expected-image.bin" "$out/image.bin" || fail "$name: image differs"
        rm -f "$work/expected-image.bin"
    else
        [ "$(hex "$out/records.bin")" = "$expected_records" ] || {
            hex "$out/records.bin"; echo
            fail "$name: records differ"
        }
    fi
    echo "ok: $name"
}

# The cradle bytes the simulator saw: probes (0x0F) until one is answered, then
# 0x07, the speed code and "Q".
expect_cradle() { # $1 case, $2 bytes
    grep -qx "cradle $2" "$work/$1/sim.log" || fail "$1: cradle set-up was not \"$2\""
}

start=$(date +%s)
expect=""
erase_busy=0
run_case socat-cradle-settings settings 0 0 socat --cradle any
expect_cradle socat-cradle-settings "0f 07 36 51"
# The loader reports its erase busy, then done a second later: the erase notice.
erase_busy=1
run_case pty-cradle-program program 0 1 pty --cradle 38400 --erase FB,FA
erase_busy=0
expect_cradle pty-cradle-program "0f 0f 07 35 51"
run_case socat-rs232-program program 1 0 socat
run_case rf-settings settings 3 0 rf
run_case rf-program program 3 0 rf
# The terminal hangs up after block 100: the program notices the closed socket,
# reports the failure and offers the retry (declined).
expect=hangup
run_case rf-hangup settings 3 0 rf --close-after 100
grep -q "blocks 101 " "$work/rf-hangup/sim.log" || fail "rf-hangup: expected 101 blocks stored"
# Cancel in the progress window part way: the blocks acknowledged stay, nothing
# more is sent (every packet the terminal got is a stored block).
expect=stop
run_case rf-stop-settings settings 3 0 rf --delay-ms 5
stored=$(sed -n 's/.* packets \([0-9]*\) blocks \([0-9]*\) .*/\1 \2/p' "$work/rf-stop-settings/sim.log")
set -- $stored
[ "$#" -eq 2 ] && [ "$1" -eq "$2" ] && [ "$2" -gt 0 ] && [ "$2" -lt 597 ] ||
    fail "rf-stop-settings: expected fewer than 597 blocks, each sent once, got '$stored'"
# Cancel in the wait notice of a program download: the port is closed and the
# terminal's flash is neither erased nor written.
expect=cancel
run_case socat-cancel-program program 1 0 socat
grep -q "erases 0$" "$work/socat-cancel-program/sim.log" || fail "socat-cancel-program: erased"
grep -q "records 0 " "$work/socat-cancel-program/sim.log" || fail "socat-cancel-program: written"
echo "all download cases passed in $(($(date +%s) - start)) s"
