#!/usr/bin/env bash
# Checks the installation as a desktop and a new user meet it: installs into a
# temporary prefix; validates the desktop entry and the AppStream metainfo;
# starts the installed program under a virtual X server as an ordinary user
# with empty XDG folders, picks the sample game in the first start's dialog
# and closes the window; then the settings and the written-back column widths
# must be in the user's folders, and the prefix unchanged.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j2

app=io.github.velqorandis.Velqorandis
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
prefix=$work/prefix
cmake --install build --prefix "$prefix" > /dev/null
desktop-file-validate "$prefix/share/applications/$app.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml"

# An ordinary user: root may write anything, also under the prefix.
home=$work/home
mkdir -p "$home/runtime"
chmod 700 "$home/runtime"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody "$home"
  as_user=(runuser -u nobody --)
fi
snapshot() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }
before=$(snapshot)
touch "$work/started"

"${as_user[@]}" env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$home" \
  XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" PREFIX="$prefix" \
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -euo pipefail
    "$PREFIX/bin/velqorandis" &
    program=$!
    # The first start asks for the game: the sample game is the only entry.
    dialog=$(timeout 30 xdotool search --sync --name "^プラグイン切り替え$" | head -1)
    xdotool windowfocus --sync "$dialog" key space Return
    timeout 30 xdotool search --sync --name "^Velqorandis - 晶霊譚ヴェルミナ -$" > /dev/null
    sleep 1
    # The close button, first on the toolbar of the window at the top-left corner.
    xdotool mousemove 18 18 click 1
    timeout 30 tail --pid="$program" -f /dev/null
    "$PREFIX/bin/velqorandis-cli" catalogue
  ' | tee "$work/catalogue"

fail() { echo "check-install: $*" >&2; exit 1; }
grep -q "$home/data/velqorandis/Plugin/sample.ini" "$work/catalogue" || fail "the tool does not list the user's game folder"
settings=$home/config/velqorandis/Velqorandis.ini
[ -f "$settings" ] || fail "no settings file in the user's folder"
iconv -f CP932 -t UTF-8 "$settings" | grep -q "^TcgName=晶霊譚ヴェルミナ" || fail "the settings do not remember the game"
[ -n "$(find "$home/data/velqorandis/Plugin/sample.ini" -newer "$work/started")" ] ||
  fail "the column widths were not written back into the user's game definition"
"$prefix/bin/velqorandis-cli" check "$prefix/share/velqorandis/Plugin/sample.ini" ||
  fail "the installed sample game does not check clean"
[ "$before" = "$(snapshot)" ] || fail "the installation's prefix changed"
echo "check-install: the installed program keeps everything in the user's folders"
