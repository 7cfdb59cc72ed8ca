#!/bin/sh
# Runs the top-score store's steps as a Windows program under Wine against Wine's registry, and on
# Linux against the stand-in, then carries a table both ways between the two through Wine's regedit:
#   the stand-in's file, imported, loads in the Windows build as the same table, and regedit
#   exports it again byte for byte, in the same Unicode form;
#   a table saved by the Windows build and exported loads through the stand-in;
#   a name in Cyrillic, saved by the Windows build through the narrow calls as UTF-8, is stored as
#   that name: Wine honours the manifest's UTF-8 code page.
# Usage: runUnderWine.sh LINUX-STEPS WINDOWS-STEPS WORK-FOLDER
set -u
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
native=$(absolute "$1")
windows=$(absolute "$2")
work=$(absolute "$3")
key='HKEY_LOCAL_MACHINE\Software\Brindlow\Tallyfive\1.2'

# A fresh prefix each run, booted once; no display, no Mono or Gecko.
rm -rf "$work"
mkdir -p "$work/prefix" "$work/files"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
cd "$work/files" || exit 1

# Wine's server and helper processes would keep ctest's pipes open: they get none, and they are
# ended and waited for before the script ends.
wineserver -p </dev/null >"$work/wineserver.log" 2>&1
finish() {
    wineserver -k 2>/dev/null
    timeout 60 wineserver -w
    rm -rf "$work/prefix"
}
trap finish EXIT

failed=0
step() {
    printf '== %s\n' "$*"
    if ! "$@" >"$work/step.log" 2>&1; then
        cat "$work/step.log"
        echo "FAILED: $*"
        failed=1
        return 1
    fi
    cat "$work/step.log"
}
wine_step() {
    step timeout 120 wine "$@"
}

start=$(date +%s)
wine_step wineboot -i || exit 1
echo "prefix booted in $(($(date +%s) - start)) s"

# The registry's answers, and the stand-in's alike.
wine_step "$windows" check-limits
mkdir -p "$work/limits"
step env XDG_DATA_HOME="$work/limits" "$native" check-limits
wine_step regedit /d "$key"

# Linux to Windows.
mkdir -p "$work/linux"
step env XDG_DATA_HOME="$work/linux" "$native" save-sample
cp "$work/linux/Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg" fromLinux.reg
wine_step regedit /s fromLinux.reg
wine_step "$windows" check-sample
wine_step regedit /e exported.reg "$key"
step cmp exported.reg fromLinux.reg

# The code page of the narrow calls, as regedit sees what they stored.
wine_step regedit /d "$key"
wine_step "$windows" save-cyrillic
wine_step regedit /e cyrillic.reg "$key"
step sh -c 'tail -c +3 cyrillic.reg | iconv -f UTF-16LE -t UTF-8 | grep -F "\"TopName0\"=\"Жанна\""'

# Windows to Linux.
wine_step regedit /d "$key"
wine_step "$windows" save-sample
wine_step regedit /e fromWindows.reg "$key"
mkdir -p "$work/windows/Brindlow/Tallyfive"
cp fromWindows.reg "$work/windows/Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg"
step env XDG_DATA_HOME="$work/windows" "$native" check-sample

echo "Wine run took $(($(date +%s) - start)) s"
exit $failed
