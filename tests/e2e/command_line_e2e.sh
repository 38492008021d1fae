#!/bin/sh
# End-to-end test of the command line: varomil.exe /download under Wine against
# terminal simulators that connect over RF on 127.0.0.1; exit codes, log lines and
# the images the terminals received. Also compares File > Export Summary... with
# print_summary for the same file.
#
# Usage: command_line_e2e.sh NATIVE_BUILD_DIR WIN_BUILD_DIR
# Exit status 0: passed; 1: failed; 77: skipped (a tool is missing).
# Ends only what it started: its simulators by their ids and the Wine server of
# its own prefix.
set -u
native=$(cd "$1" && pwd)
win=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
sim=$native/terminal_sim
limit=60 # seconds for any single wait

for tool in "$sim" "$native/print_summary"; do
    [ -x "$tool" ] || { echo "SKIP: no $tool (build native first)"; exit 77; }
done

prefix="$(cd "$win" && pwd)/wineprefix-cli" lock_seconds=300
. "$(dirname "$0")/peers.sh"

"$top/cmake/wine-prefix-init"
windir="Z:$(echo "$work" | sed 's|/|\\|g')\\"

# The settings file and its exported summary, written by the program itself.
VAROMIL_CLI_E2E_DIR="$windir" "$top/cmake/wine-run" "$win/varomil_gui_tests.exe" \
    --gtest_filter=CommandLineEndToEnd.* >"$work/driver.log" 2>&1 ||
    { cat "$work/driver.log"; fail "the settings file was not written"; }
[ -f "$work/site.NET" ] && [ -f "$work/export.txt" ] || fail "no settings file or export"
"$native/print_summary" "$work/site.NET" >"$work/printed.txt" || fail "print_summary failed"
# The export adds a first line (the file and the date), ends its lines in CR LF
# and drops trailing blanks; the tree is the same.
tail -n +2 "$work/export.txt" | tr -d '\r' >"$work/exported-tree.txt"
sed 's/ *$//' "$work/printed.txt" | cmp "$work/exported-tree.txt" - ||
    fail "Export Summary differs from print_summary"
echo "ok: export equals print_summary"
head -c 59659 "$work/site.NET" >"$work/expected.bin"
head -c 41 /dev/zero >>"$work/expected.bin"

# $1 case name; then one word per simulator: ok or silent. Starts them together.
start_sims() {
    name=$1
    shift
    mkdir -p "$work/$name"
    n=0
    for kind in "$@"; do
        n=$((n + 1))
        extra=""
        [ "$kind" = silent ] && extra="--silent"
        "$sim" --connect 127.0.0.1:3000 --idle-ms 120000 --image-out "$work/$name/image$n.bin" \
            $extra >"$work/$name/sim$n.log" 2>&1 &
        pids="$pids $!"
    done
}

# $1 case name; the rest: the program's arguments. Sets status.
run_program() {
    name=$1
    shift
    ( cd "$work" && timeout 180 wine "$win/varomil.exe" "$@" ) >"$work/$name/out.txt" 2>/dev/null
    status=$?
    tr -d '\r' <"$work/$name/out.txt" >"$work/$name/out"
    cat "$work/$name/out"
}

sims_done() {
    for p in $pids; do kill -0 "$p" 2>/dev/null && return 1; done
    return 0
}

# Three terminals: each gets the image byte for byte, one "ok" line each.
start_sims three ok ok ok
run_program three /download site.NET /count 3 /wait 30 /log "three\\batch.log"
[ "$status" -eq 0 ] || fail "three: exit code $status"
wait_for sims_done || fail "three: simulators did not end"
pids=""
for n in 1 2 3; do
    cmp "$work/expected.bin" "$work/three/image$n.bin" || fail "three: terminal $n image differs"
done
tr -d '\r' <"$work/three/batch.log" >"$work/three/log"
[ "$(grep -cE '^[0-9-]+ [0-9:]+  terminal [123]  127\.0\.0\.1:[0-9]+  RF  ok  [0-9]+\.[0-9] s  CRC [0-9A-F]{8}$' "$work/three/log")" -eq 3 ] ||
    fail "three: log lines"
grep -qE '^3 terminals: 3 ok, 0 failed, ' "$work/three/log" || fail "three: summary line"
cmp "$work/three/log" "$work/three/out" || fail "three: console and log differ"
echo "ok: three terminals"

# One terminal answers nothing, and a third never connects: both fail, the
# other succeeds, exit code 1.
start_sims mixed ok silent
run_program mixed /download site.NET /count 3 /wait 5 /log "mixed\\batch.log"
[ "$status" -eq 1 ] || fail "mixed: exit code $status"
wait_for sims_done || fail "mixed: simulators did not end"
pids=""
tr -d '\r' <"$work/mixed/batch.log" >"$work/mixed/log"
# The silent one answered no handshake: it is no terminal, and both slots end
# without one.
[ "$(grep -c '  RF  ok  ' "$work/mixed/log")" -eq 1 ] || fail "mixed: one ok line"
[ "$(grep -c '  RF  no terminal within 5 s  ' "$work/mixed/log")" -eq 2 ] ||
    fail "mixed: two lines of no terminal"
grep -q '  127.0.0.1:[0-9]*  closed: no terminal answered$' "$work/mixed/log" ||
    fail "mixed: the silent connection is logged"
grep -q '^3 terminals: 1 ok, 2 failed, ' "$work/mixed/log" || fail "mixed: summary line"
echo "ok: a silent and a missing terminal"

# Refused input: exit code 2, one line, and no terminal is ever served.
head -c 1000 "$work/site.NET" >"$work/short.NET"
printf 'S0030000FC\r\nnot a record\r\n' >"$work/bad.SHX"
# A host-screen capture of 29 screens: long enough, and tagged "V100", like settings.
{ printf V100; head -c 16 /dev/zero; head -c 60320 /dev/zero | tr '\0' ' '; } >"$work/dock.SCR"
mkdir -p "$work/bad"
start_sims bad ok
for args in "/download site.NET /count 0" "/download site.NET /port COM10" \
    "/download site.NET /via usb" "/download site.NET /speed 9600" "/download missing.NET" \
    "/download short.NET" "/download dock.SCR" "/program bad.SHX"; do
    # shellcheck disable=SC2086
    run_program bad $args /wait 1
    [ "$status" -eq 2 ] || fail "bad: $args gave exit code $status"
    [ "$(wc -l <"$work/bad/out")" -eq 1 ] || fail "bad: $args: not one line"
    case "$args" in *dock.SCR*) grep -q 'host-screen capture file' "$work/bad/out" ||
        fail "bad: $args: not called a capture file" ;;
    esac
done
grep -q ready "$work/bad/sim1.log" && fail "bad: a terminal was served"
echo "ok: refused input"
echo "all command-line cases passed"
