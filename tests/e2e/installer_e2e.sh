#!/bin/sh
# End-to-end test of the installer package under Wine, in a prefix of its own:
# the version resource of the built program, a silent install (program file,
# Start-menu shortcut, file type, Add or Remove Programs entry), a *.NET file
# opened through the registered open command, installing again, a rebuilt package
# of the same version and a newer one (one entry each time), and a silent
# uninstall that leaves nothing behind but the user's own settings.
# Usage: installer_e2e.sh WIN_BUILD_DIR VERSION -- WIXL_COMMAND...
#   WIXL_COMMAND: the build's wixl command line without the version, the product
#   code and the output, run in WIN_BUILD_DIR.
# Exit status 0: passed; 1: failed; 77: skipped (no wixl). Ends only what it
# started: its Xvfb by its id and the Wine server of its prefix.
set -u
win=$(cd "$1" && pwd)
version=$2
shift 3
top=$(cd "$(dirname "$0")/../.." && pwd)
msi=$win/varomil-$version.msi
limit=60 # seconds for any single wait

if [ $# -eq 0 ] || ! command -v "$1" >/dev/null 2>&1; then
    echo "SKIP: no wixl (scripts/install-deps win)"
    exit 77
fi
[ -f "$msi" ] || { echo "FAIL: no $msi (scripts/build win)"; exit 1; }

work=$(mktemp -d)
# A fresh prefix every time: nothing installed before the test, nothing after it.
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
# Wine mirrors shortcuts and file types into the desktop's menus under $HOME:
# keep them in the scratch folder, and off entirely once the prefix is made.
export HOME="$work/home"
mkdir -p "$HOME"
xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
. "$top/tests/e2e/waits.sh"

# The version resource, read back from the built program: the lines of
# tests/data/e2e/version_resource.txt (blanks after commas aside), and the copyright.
res=$(x86_64-w64-mingw32-windres -i "$win/varomil.exe" -O rc 2>/dev/null | tr -d '\r' |
    sed 's/^ *//; s/, /,/g')
sed "s/@FOUR@/$(echo "$version.0" | tr . ,)/; s/@VERSION@/$version.0/; s/, /,/g" \
    "$top/tests/data/e2e/version_resource.txt" | while read -r line; do
    echo "$res" | grep -qxF "$line" || { echo "no $line"; exit 1; }
done || fail "version resource"
echo "$res" | grep -q 'VALUE "LegalCopyright","Copyright (C) Dornwick' || fail "no copyright line"
echo "ok: version resource $version.0"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
wait_for '[ -s "$work/display" ]' || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
"$top/cmake/wine-prefix-init"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

c=$WINEPREFIX/drive_c
exe="$c/Program Files/Varomil/varomil.exe"
links="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Varomil.lnk
$c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Varomil.lnk"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
reg_value() { # $1 key, $2 value name (empty: the default value); prints the data
    if [ -z "$2" ]; then set -- "$1" /ve; else set -- "$1" /v "$2"; fi
    wine reg query "$@" 2>/dev/null | tr -d '\r' | sed -n 's/^    [^ ].*    REG_[A-Z_]*    //p'
}
expect_reg() { # $1 key, $2 value name, $3 expected data
    [ "$(reg_value "$1" "$2")" = "$3" ] || fail "$1 ${2:-(default)}: '$(reg_value "$1" "$2")'"
}
entries() { # the Add or Remove Programs entries named Varomil
    wine reg query "$uninstall" /s 2>/dev/null | tr -d '\r' | grep -c 'DisplayName    REG_SZ    Varomil$'
}
entry_key() { # the key of the Add or Remove Programs entry named Varomil
    wine reg query "$uninstall" /s 2>/dev/null | tr -d '\r' | grep '^HKEY.*\\{' |
        while read -r k; do [ "$(reg_value "$k" DisplayName)" = Varomil ] && echo "$k"; done
}
shortcuts() { echo "$links" | while read -r l; do [ -f "$l" ] && echo "$l"; done | wc -l; }
msiexec() { # $1 /i or /x, $2 package; prints the exit code
    wine msiexec "$1" "$(winpath "$2")" /qn >/dev/null 2>&1
    echo $?
}

[ "$(msiexec /i "$msi")" = 0 ] || fail "msiexec /i did not exit 0"
cmp -s "$exe" "$win/varomil.exe" || fail "varomil.exe not installed in Program Files\\Varomil"
[ "$(shortcuts)" = 1 ] || fail "no Start-menu shortcut Varomil"
installed='"C:\Program Files\Varomil\varomil.exe"'
expect_reg 'HKCR\.NET' "" Varomil.SettingsFile
expect_reg 'HKCR\Varomil.SettingsFile' "" "Varomil Settings File"
expect_reg 'HKCR\Varomil.SettingsFile\DefaultIcon' "" "$installed,0"
expect_reg 'HKCR\Varomil.SettingsFile\shell\open\command' "" "$installed \"%1\""
[ "$(entries)" = 1 ] || fail "Add or Remove Programs: $(entries) entries"
key=$(entry_key)
expect_reg "$key" DisplayVersion "$version"
expect_reg "$key" Publisher Dornwick
product=$(echo "$key" | sed -n 's/.*{\(.*\)}$/\1/p')
icon=$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' |
    sed -n 's/^    ProductIcon    REG_SZ    C:/\/drive_c/p' | sed 's|\\|/|g')
[ -n "$product" ] && [ -s "$WINEPREFIX$icon" ] || fail "no product icon ($icon)"
cmp -s "$WINEPREFIX$icon" "$top/resources/varomil.ico" || fail "the product icon differs"
echo "ok: installed (file, shortcut, file type, entry $version, Dornwick, icon)"

# A settings file, and its summary as the program writes it, from the test program.
VAROMIL_CLI_E2E_DIR="$(winpath "$work")\\" wine "$win/varomil_gui_tests.exe" \
    --gtest_filter=CommandLineEndToEnd.* >"$work/driver.log" 2>&1 ||
    { cat "$work/driver.log"; fail "the settings file was not written"; }
mv "$work/export.txt" "$work/expected.txt"

# A double-click: the shell starts the registered open command with the file. The
# virtual desktop takes keys without a window manager while the pointer is on it.
wine explorer /desktop=installer,1024x768 start.exe "$(winpath "$work/site.NET")" \
    >/dev/null 2>&1 &
shown() { [ "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l)" -ge 1 ]; }
step() { # $1 title to wait for, then the keys to send to that window
    wait_for "shown '$1'" || fail "no window '$1'"
    # The X focus can stay on a window that has just gone: keys would be lost.
    xdotool search --onlyvisible --name "^$1\$" windowfocus >/dev/null 2>&1
    shift
    xdotool mousemove 512 760 key --delay 100 "$@"
}
main="site.NET - Varomil Terminal Emulation For VT"
step "About Varomil" Return
step Settings Escape
wait_for "! shown Settings" || fail "the settings sheet did not close"
step "$main" alt+f m
step "Save As" ctrl+a
xdotool type --delay 20 "$(winpath "$work/opened.txt")"
xdotool key Return
wait_for '[ -s "$work/opened.txt" ]' || fail "the summary was not exported"
# The first line names the file and the day of the export; the tree follows.
head -n 1 "$work/opened.txt" | grep -q '^Summary of .*site\.NET, ' ||
    fail "the export does not name the file it was opened from"
tail -n +2 "$work/opened.txt" >"$work/opened.tree"
tail -n +2 "$work/expected.txt" | cmp - "$work/opened.tree" || fail "the summary tree is not the file's"
step "$main" alt+f e
wait_for "! shown '$main'" || fail "the program did not end"
echo "ok: the open command opened site.NET (title, summary tree)"

# The same package again, a rebuilt one of the same version and a newer version:
# always one entry, the last one's.
[ "$(msiexec /i "$msi")" = 0 ] || fail "second msiexec /i did not exit 0"
[ "$(entries)" = 1 ] || fail "installed twice: $(entries) entries"
(cd "$win" && "$@" -D Version="$version" -D ProductCode="$product" -o "$work/rebuilt.msi" \
    >/dev/null 2>&1) || fail "wixl failed"
# Windows refuses another package of an installed product code (1638) where Wine
# takes it: only the entries count.
msiexec /i "$work/rebuilt.msi" >/dev/null
[ "$(entries)" = 1 ] || fail "rebuilt package: $(entries) entries"
newer=$(echo "$version" | awk -F. '{ printf "%d.%d.%d", $1, $2, $3 + 1 }')
(cd "$win" && "$@" -D Version="$newer" -D ProductCode="$(cat /proc/sys/kernel/random/uuid)" \
    -o "$work/newer.msi" >/dev/null 2>&1) || fail "wixl failed"
[ "$(msiexec /i "$work/newer.msi")" = 0 ] || fail "the newer package did not install"
[ "$(entries)" = 1 ] || fail "newer package: $(entries) entries"
key=$(entry_key)
expect_reg "$key" DisplayVersion "$newer"
echo "ok: one entry after installing again, a rebuilt and a newer package"

# The user's own settings stay; everything installed goes.
wine reg add 'HKCU\Software\Varomil' /v Kept /d yes /f >/dev/null 2>&1
[ "$(msiexec /x "$work/newer.msi")" = 0 ] || fail "msiexec /x did not exit 0"
[ ! -e "$exe" ] && [ ! -e "$c/Program Files/Varomil" ] || fail "Program Files\\Varomil is left"
[ "$(shortcuts)" = 0 ] || fail "the shortcut is left"
for k in 'HKCR\.NET' 'HKCR\Varomil.SettingsFile' 'HKLM\Software\Varomil'; do
    wine reg query "$k" >/dev/null 2>&1 && fail "$k is left"
done
[ "$(entries)" = 0 ] || fail "the Add or Remove Programs entry is left"
expect_reg 'HKCU\Software\Varomil' Kept yes
echo "ok: uninstalled, the user's settings kept"
echo "all installer cases passed"
