#!/bin/sh
# Installs the game into a scratch prefix and checks what a desktop finds there: the files in their
# places with the usual modes, a menu entry and a description that the validators pass, a manual page
# that man finds and renders without a warning, and the game started by its name from another folder,
# showing its cards and its icon. Then builds the Debian package, lists it and has lintian check it.
# Needs a display: run in inXServer.sh.
# Usage: checkInstall.sh BUILD-FOLDER
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'kill $game 2>/dev/null; rm -rf "$work"' EXIT
game=
failed=0
fail() { echo "FAIL: $*"; failed=1; }
for tool in lintian man dpkg-parsechangelog; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-packages.sh test puts it in)"; exit 1; }
done
# A umask that leaves files group-writable, as on many desktops: the modes must not follow it.
umask 002

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }
for file in games/tallyfive bin/tallyfive lib/tallyfive/tallyfive lib/tallyfive/index.htm lib/tallyfive/Pack/000.gif \
    lib/tallyfive/Pack/413@2x.gif share/applications/net.brindlow.Tallyfive.desktop \
    share/metainfo/net.brindlow.Tallyfive.metainfo.xml share/icons/hicolor/scalable/apps/net.brindlow.Tallyfive.svg \
    share/icons/hicolor/16x16/apps/net.brindlow.Tallyfive.png share/icons/hicolor/256x256/apps/net.brindlow.Tallyfive.png \
    share/man/man6/tallyfive.6.gz share/doc/tallyfive/copyright share/doc/tallyfive/changelog.gz; do
    [ -e "$prefix/$file" ] || fail "$file is not installed"
done
for link in games/tallyfive bin/tallyfive; do
    [ "$(readlink "$prefix/$link")" = ../lib/tallyfive/tallyfive ] || fail "$link is no link to the game"
done
program=$prefix/lib/tallyfive/tallyfive
modes=$(find "$prefix" -mindepth 1 ! -path "$program" \( -type d ! -perm 0755 -o -type f ! -perm 0644 \) -printf '%m %P\n')
[ -z "$modes" ] || fail "installed with other modes than 0644 for files and 0755 for folders: $modes"
[ "$(stat -c %a "$program")" = 755 ] || fail "the program is installed with mode $(stat -c %a "$program"), not 755"
# Compressed at the highest level with no name and no time in the header, so every build gives the same bytes.
for file in share/man/man6/tallyfive.6.gz share/doc/tallyfive/changelog.gz; do
    header=$(od -An -tx1 -N9 "$prefix/$file" | tr -d ' \n')
    [ "$header" = 1f8b08000000000002 ] || fail "$file is not compressed by gzip -9n: its header is $header"
done
[ "$(ls "$prefix/lib/tallyfive/Pack" | wc -l)" -eq 106 ] || fail "the Pack folder does not hold the 106 cards"
entry=$prefix/share/applications/net.brindlow.Tallyfive.desktop
grep -qx "Exec=$prefix/games/tallyfive" "$entry" || fail "the menu entry does not start the game through its link"

# The validators, with nothing to say beyond pedantry.
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
report=$(appstreamcli validate --no-net "$prefix/share/metainfo/net.brindlow.Tallyfive.metainfo.xml" 2>&1) ||
    fail "appstreamcli: $report"
echo "$report" | grep -qE '^[EWI]:' && fail "appstreamcli: $report"

# The manual page, found by name as for anyone with the prefix's bin folder on the path, and rendered
# without a warning.
page=$(env -u MANPATH PATH="$prefix/bin:/usr/bin:/bin" man -w tallyfive 2>&1)
[ "$page" = "$prefix/share/man/man6/tallyfive.6.gz" ] || fail "man does not find the manual page: $page"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/share/man/man6/tallyfive.6.gz" 2>&1 >"$work/page")
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
grep -q 'Ctrl+Z' "$work/page" || fail "the manual page renders without its keys"

# The game by its name, from another folder, with its own data folder.
(cd / && PATH="$prefix/bin:$PATH" XDG_DATA_HOME=$work/data exec tallyfive) >"$work/game.log" 2>&1 &
game=$!
window=$(timeout 20 xdotool search --sync --name '^Tallyfive$' | head -n 1)
if [ -z "$window" ]; then
    fail "the installed game shows no window"; cat "$work/game.log"
else
    # The centre cell, 166 and 216 pixels into the window, holds the first card once the window is drawn:
    # a picture of many colours. Looked at until it shows, for at most 20 seconds.
    colours=0
    for _ in $(seq 100); do
        eval "$(xdotool getwindowgeometry --shell "$window")"
        import -window root "$work/screen.png"
        colours=$(/usr/bin/convert "$work/screen.png" -crop "71x96+$((X + 166))+$((Y + 216))" +repage -format %k info:)
        [ "$colours" -gt 8 ] && xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (16 x 16)' && break
        sleep 0.2
    done
    [ "$colours" -gt 8 ] || fail "no card is drawn in the centre cell ($colours colours)"
    xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (16 x 16)' || fail "the window shows no icon"
    echo "the installed game shows its window, its first card in $colours colours, and its icon"
fi

# The package, and what it holds.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
package=$(ls "$work"/package/tallyfive_*.deb)
dpkg-deb -c "$package" | awk '{print $6 $7 $8}' >"$work/contents"
for file in ./usr/games/tallyfive-\>../lib/tallyfive/tallyfive ./usr/lib/tallyfive/tallyfive ./usr/lib/tallyfive/index.htm \
    ./usr/lib/tallyfive/Pack/101.gif ./usr/share/applications/net.brindlow.Tallyfive.desktop \
    ./usr/share/icons/hicolor/48x48/apps/net.brindlow.Tallyfive.png ./usr/share/metainfo/net.brindlow.Tallyfive.metainfo.xml \
    ./usr/share/man/man6/tallyfive.6.gz ./usr/share/doc/tallyfive/copyright ./usr/share/doc/tallyfive/changelog.gz; do
    grep -qxF -- "$file" "$work/contents" || fail "the package lacks $file"
done
# In /usr the games folder is on the path already.
grep -q '^\./usr/bin/' "$work/contents" && fail "the package puts a link in /usr/bin"
# The changelog's newest entry is this version: lintian does not compare them.
version=$(dpkg-deb -f "$package" Version)
dpkg-deb --fsys-tarfile "$package" | tar -xOf - ./usr/share/doc/tallyfive/changelog.gz | gzip -dc >"$work/changelog"
logged=$(dpkg-parsechangelog -l "$work/changelog" -S Version 2>&1)
[ "$logged" = "$version" ] || fail "the changelog's newest entry is $logged, the package's version $version"
depends=$(dpkg-deb -f "$package" Depends)
for needed in libqt6widgets6 fonts-liberation2; do
    echo "$depends" | grep -q "$needed" || fail "the package does not depend on $needed: $depends"
done
echo "$(basename "$package"): $(wc -l <"$work/contents") entries; Depends: $depends"
# Debian's own checker, with nothing to say at the level of a warning or above; no one's settings for it
# hide a tag.
if lintian --no-cfg --fail-on error,warning "$package" >"$work/lintian.log" 2>&1; then
    echo "lintian finds no error and no warning in it"
else
    fail "lintian: $(cat "$work/lintian.log")"
fi
exit $failed
