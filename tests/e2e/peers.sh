# Shared by the end-to-end scripts (sourced): the caller's own Wine prefix, the
# machine-wide lock of the fixed RF port, a scratch folder, and an exit that ends
# every process the script started (their pids in $pids) and its own Wine server.
# Usage: set prefix and lock_seconds (and e2e when sourced from outside
# tests/e2e), then . peers.sh (a sourced file takes no
# arguments in a POSIX shell).
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# One download test at a time per machine: the RF link's port is fixed.
exec 8>/tmp/varomil-download-e2e.lock
flock -w "$lock_seconds" 8 || { echo "FAIL: another download test holds the lock"; exit 1; }

work=$(mktemp -d)
pids=""
cleanup() {
    for p in $pids; do kill "$p" 2>/dev/null; done
    for p in $pids; do wait "$p" 2>/dev/null; done
    wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A script outside tests/e2e (a benchmark) names the folder in $e2e.
. "${e2e:-$(dirname "$0")}/waits.sh"
