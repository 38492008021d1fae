#!/bin/sh
# End-to-end test against a real telnet daemon: Debian's telnetd behind socat on a
# free port of 127.0.0.1, logged in to automatically with a test user; the Windows
# side (HostSessionTest.ARealTelnetDaemon*) types after each command and checks
# that the keys reached the shell. Skipped without the daemon, or without the
# test user and root to make one; a user it made goes again at the end.
# Usage: telnetd_e2e.sh WIN_BUILD_DIR
set -u
win=$(cd "$1" && pwd)
driver=$win/varomil_gui_tests.exe
user=varomiltest
prefix="$win/wineprefix-telnetd" lock_seconds=300 limit=20 needs="/usr/sbin/telnetd socat"
. "$(dirname "$0")/peers.sh"
[ "$(id -u)" = 0 ] || { echo "SKIP: not root to set the test user's password"; exit 77; }
if ! id "$user" >/dev/null 2>&1; then
    useradd -M -d /tmp -s /bin/sh "$user" || fail "useradd"
    trap 'cleanup; userdel "$user" 2>/dev/null' EXIT
fi

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

VAROMIL_TELNETD="$port $user $password $(hostname)" \
    drive "$work/driver.log" 'HostSessionTest.ARealTelnetDaemon*' "the session against telnetd"
echo "ok: keys typed after each command reached telnetd's shell"
