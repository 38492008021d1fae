#!/bin/sh
# End-to-end test of the command line: varomil.exe /download under Wine against
# terminal simulators that connect over RF on 127.0.0.1; exit codes, log lines and
# the images the terminals received. Also compares File > Export Summary... with
# print_summary for the same file.
# Usage: command_line_e2e.sh NATIVE_BUILD_DIR WIN_BUILD_DIR
set -u
native=$(cd "$1" && pwd)
win=$(cd "$2" && pwd)
sim=$native/terminal_sim driver=$win/varomil_gui_tests.exe
prefix="$win/wineprefix-cli" lock_seconds=300 limit=60 needs="$sim $native/print_summary"
. "$(dirname "$0")/peers.sh"

# The settings file and its exported summary, written by the program itself.
VAROMIL_CLI_E2E_DIR="$windir" drive "$work/driver.log" 'CommandLineEndToEnd.*' "settings file"
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

# $1 case name, $2 the exit code it must end with; the rest: the program's
# arguments. Its output in $work/$1/out and its log, if any, in $work/$1/log.
run_program() {
    name=$1 want=$2
    shift 2
    ( cd "$work" && timeout 180 wine "$win/varomil.exe" "$@" ) >"$work/$name/out.txt" 2>/dev/null
    status=$?
    tr -d '\r' <"$work/$name/out.txt" >"$work/$name/out"
    cat "$work/$name/out"
    [ "$status" -eq "$want" ] || fail "$name: $* gave exit code $status"
    [ ! -f "$work/$name/batch.log" ] || tr -d '\r' <"$work/$name/batch.log" >"$work/$name/log"
}

# Three terminals: each gets the image byte for byte, one "ok" line each.
start_sims three ok ok ok
run_program three 0 /download site.NET /count 3 /wait 30 /log "three\\batch.log"
await_sims three
for n in 1 2 3; do
    cmp "$work/expected.bin" "$work/three/image$n.bin" || fail "three: terminal $n image differs"
done
expect_lines "$work/three/log" batch_three.txt three
cmp "$work/three/log" "$work/three/out" || fail "three: console and log differ"
echo "ok: three terminals"

# One terminal answers nothing, and a third never connects: both fail, the
# other succeeds, exit code 1.
start_sims mixed ok silent
run_program mixed 1 /download site.NET /count 3 /wait 5 /log "mixed\\batch.log"
await_sims mixed
expect_lines "$work/mixed/log" batch_mixed.txt mixed
echo "ok: a silent and a missing terminal"

# Refused input: exit code 2, one line, and no terminal is ever served.
head -c 1000 "$work/site.NET" >"$work/short.NET"
printf 'S0030000FC\r\nnot a record\r\n' >"$work/bad.SHX"
# A host-screen capture of 29 screens: long enough, and tagged "V100", like settings.
{ printf V100; head -c 16 /dev/zero; head -c 60320 /dev/zero | tr '\0' ' '; } >"$work/dock.SCR"
start_sims bad ok
while read -r args; do
    # shellcheck disable=SC2086
    run_program bad 2 $args /wait 1 </dev/null
    [ "$(wc -l <"$work/bad/out")" -eq 1 ] || fail "bad: $args: not one line"
    case "$args" in *dock.SCR*) grep -q 'host-screen capture file' "$work/bad/out" ||
        fail "bad: $args: not called a capture file" ;;
    esac
done <"$top/tests/data/e2e/refused_args.txt"
grep -q ready "$work/bad/sim1.log" && fail "bad: a terminal was served"
echo "ok: refused input"
echo "all command-line cases passed"
