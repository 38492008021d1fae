# Shared by the end-to-end scripts (sourced): the failure exit, the one way of
# waiting on a condition (never a fixed sleep) and the Windows name of a path.

fail() { echo "FAIL: $*"; exit 1; }

# Polls a shell condition every 50 ms until it holds or $limit seconds pass.
wait_for() {
    i=0
    while ! eval "$1"; do
        i=$((i + 1))
        [ "$i" -ge $((limit * 20)) ] && return 1
        sleep 0.05
    done
}

winpath() { echo "Z:$1" | sed 's|/|\\|g'; }
