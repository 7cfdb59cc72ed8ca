#!/bin/sh
# Installs the game into a scratch prefix and checks what a desktop finds there: the files in their
# places, a menu entry and a description that the validators pass, and the game started through its
# link from another folder, showing its cards and its icon. Then builds the Debian package and lists it.
# Needs a display: run in inXServer.sh.
# Usage: checkInstall.sh BUILD-FOLDER
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'kill $game 2>/dev/null; rm -rf "$work"' EXIT
game=
failed=0
fail() { echo "FAIL: $*"; failed=1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }
for file in games/tallyfive lib/tallyfive/tallyfive lib/tallyfive/index.htm lib/tallyfive/Pack/000.gif \
    lib/tallyfive/Pack/413@2x.gif share/applications/net.brindlow.Tallyfive.desktop \
    share/metainfo/net.brindlow.Tallyfive.metainfo.xml share/icons/hicolor/scalable/apps/net.brindlow.Tallyfive.svg \
    share/icons/hicolor/16x16/apps/net.brindlow.Tallyfive.png share/icons/hicolor/256x256/apps/net.brindlow.Tallyfive.png; do
    [ -e "$prefix/$file" ] || fail "$file is not installed"
done
[ "$(readlink "$prefix/games/tallyfive")" = ../lib/tallyfive/tallyfive ] || fail "games/tallyfive is no link to the game"
[ "$(ls "$prefix/lib/tallyfive/Pack" | wc -l)" -eq 106 ] || fail "the Pack folder does not hold the 106 cards"
entry=$prefix/share/applications/net.brindlow.Tallyfive.desktop
grep -qx "Exec=$prefix/games/tallyfive" "$entry" || fail "the menu entry does not start the game through its link"

# The validators, with nothing to say beyond pedantry.
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
report=$(appstreamcli validate --no-net "$prefix/share/metainfo/net.brindlow.Tallyfive.metainfo.xml" 2>&1) ||
    fail "appstreamcli: $report"
echo "$report" | grep -qE '^[EWI]:' && fail "appstreamcli: $report"

# The game through its link, from another folder, with its own data folder.
(cd / && XDG_DATA_HOME=$work/data exec "$prefix/games/tallyfive") >"$work/game.log" 2>&1 &
game=$!
window=$(timeout 20 xdotool search --sync --name '^Tallyfive$' | head -n 1)
if [ -z "$window" ]; then
    fail "the installed game shows no window"; cat "$work/game.log"
else
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root "$work/screen.png"
    # The centre cell, 166 and 216 pixels into the window, holds the first card: a picture of many colours.
    colours=$(/usr/bin/convert "$work/screen.png" -crop "71x96+$((X + 166))+$((Y + 216))" +repage -format %k info:)
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
    ./usr/share/icons/hicolor/48x48/apps/net.brindlow.Tallyfive.png ./usr/share/metainfo/net.brindlow.Tallyfive.metainfo.xml; do
    grep -qxF -- "$file" "$work/contents" || fail "the package lacks $file"
done
depends=$(dpkg-deb -f "$package" Depends)
for needed in libqt6widgets6 fonts-liberation2; do
    echo "$depends" | grep -q "$needed" || fail "the package does not depend on $needed: $depends"
done
echo "$(basename "$package"): $(wc -l <"$work/contents") entries; Depends: $depends"
exit $failed
