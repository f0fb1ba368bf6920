#!/usr/bin/env bash
# install_test.sh: installs the build into a fresh prefix and checks what a desktop needs there:
# the program, a desktop entry and AppStream metainfo that their validators accept and that point
# at each other, and the icon at every size of the hicolor theme plus its scalable drawing.
#
#   install_test.sh BUILD_DIR APP_ID ICON_NAME VERSION SIZE...
set -euo pipefail

build=$1 app_id=$2 icon=$3 version=$4
shift 4
sizes=("$@")

for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
key() { sed -n "s/^$1=//p" "$desktop"; }

# The program.
[ -x "$prefix/bin/vennaloop" ] || fail "no program at bin/vennaloop"

# The desktop entry.
if [ -f "$desktop" ]; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
  for k in Name GenericName Comment Icon Exec; do
    [ -n "$(key "$k")" ] || fail "the desktop entry has no $k"
  done
  [ "$(key Type)" = Application ] || fail "the desktop entry is not an application"
  for category in Game LogicGame; do
    [[ ";$(key Categories);" == *";$category;"* ]] || fail "the desktop entry lacks category $category"
  done
  exec_word=$(key Exec)
  exec_word=${exec_word%% *}
  [ -x "$prefix/bin/$exec_word" ] || fail "Exec=$exec_word is no installed program"
  [ "$(key Icon)" = "$icon" ] || fail "Icon=$(key Icon), the icon is installed as $icon"
else
  fail "no desktop entry at share/applications/$app_id.desktop"
fi

# The metainfo.
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
  grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo's id is not $app_id"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
  grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
  binary=$(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo")
  [ -x "$prefix/bin/$binary" ] || fail "the metainfo provides binary '$binary', which is not installed"
else
  fail "no metainfo at share/metainfo/$app_id.metainfo.xml"
fi

# The icons: a PNG of its own size in every size folder, and the drawing under scalable.
png_dimension() {  # width or height (byte offset 16 or 20) from a PNG's header chunk
  od -An -tu1 -j"$2" -N4 "$1" | awk '{ print (($1 * 256 + $2) * 256 + $3) * 256 + $4 }'
}
for size in "${sizes[@]}"; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
  if [ ! -f "$png" ]; then
    fail "no icon at share/icons/hicolor/${size}x${size}/apps/$icon.png"
    continue
  fi
  [ "$(od -An -tx1 -N8 "$png" | tr -d ' \n')" = 89504e470d0a1a0a ] || { fail "$png is no PNG"; continue; }
  w=$(png_dimension "$png" 16) h=$(png_dimension "$png" 20)
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "the ${size}x${size} icon is ${w}x${h}"
done
svg=$prefix/share/icons/hicolor/scalable/apps/$icon.svg
[ -f "$svg" ] && grep -q "<svg" "$svg" || fail "no SVG icon at share/icons/hicolor/scalable/apps/$icon.svg"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "installed and checked: program, desktop entry, metainfo, ${#sizes[@]} PNG icons and the SVG"
