#!/bin/sh
# End-to-end test against a real telnet daemon: Debian's telnetd behind socat on a
# free port of 127.0.0.1, logged in to automatically with a test user; the Windows
# side (HostSessionTest.ARealTelnetDaemon*) types after each command and checks
# that the keys reached the shell.
#
# Usage: telnetd_e2e.sh WIN_BUILD_DIR
# Exit status 0: passed; 1: failed; 77: skipped (no daemon, or no test user and
# not root to make one). Ends only what it started: socat by its id, the test user
# if it made it, and the Wine server of its own prefix.
set -u
win=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
limit=20 # seconds for any single wait
user=varomiltest

for tool in /usr/sbin/telnetd socat; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: no $tool"; exit 77; }
done
made_user=""
if ! id "$user" >/dev/null 2>&1; then
    [ "$(id -u)" = 0 ] || { echo "SKIP: no user $user, and not root to make one"; exit 77; }
    useradd -M -d /tmp -s /bin/sh "$user" || { echo "FAIL: useradd"; exit 1; }
    made_user=1
fi
[ "$(id -u)" = 0 ] || { echo "SKIP: not root to set the test user's password"; exit 77; }

prefix="$win/wineprefix-telnetd" lock_seconds=300
. "$here/peers.sh"
trap 'cleanup; [ -n "$made_user" ] && userdel "$user" 2>/dev/null' EXIT

password=$(od -An -N6 -tx1 /dev/urandom | tr -d ' \n')
echo "$user:$password" | chpasswd || fail "chpasswd"

# The port is listening once /proc/net/tcp shows it in state 0A.
listening() {
    grep -qi ":$(printf '%04X' "$1") 00000000:0000 0A" /proc/net/tcp
}
port=""
for try in 1 2 3 4 5; do
    p=$((20000 + $(od -An -N2 -tu2 /dev/urandom) % 40000))
    socat TCP-LISTEN:$p,bind=127.0.0.1,reuseaddr,fork EXEC:/usr/sbin/telnetd,nofork \
        2>"$work/socat.log" &
    spid=$!
    if wait_for "listening $p || ! kill -0 $spid 2>/dev/null" && kill -0 "$spid" 2>/dev/null; then
        pids="$pids $spid"
        port=$p
        break
    fi
    wait "$spid" 2>/dev/null
done
[ -n "$port" ] || fail "socat found no free port"

"$top/cmake/wine-prefix-init"
VAROMIL_TELNETD="$port $user $password $(hostname)" "$top/cmake/wine-run" "$win/varomil_gui_tests.exe" \
    --gtest_filter=HostSessionTest.ARealTelnetDaemon* >"$work/driver.log" 2>&1 ||
    { cat "$work/driver.log"; fail "the session against telnetd"; }
grep -q '\[  PASSED  \] 1 test' "$work/driver.log" || { cat "$work/driver.log"; fail "not run"; }
echo "ok: keys typed after each command reached telnetd's shell"
