#!/usr/bin/env bash
# install_test.sh: installs the build into a fresh prefix and checks what a desktop needs there:
# the program, answering for its version; its manual page; the copyright file with the licence of
# LICENSE, and the changelog (or, with DOCS off, as a build from debian/ has it, neither: debhelper
# installs its own); a desktop entry and AppStream metainfo that their validators accept
# and that point at each other and at the program; and the icon at every size of the hicolor theme
# plus its scalable drawing.
#
#   install_test.sh BUILD_DIR SOURCE_DIR APP_ID ICON_NAME VERSION BINDIR DOCS SIZE...
set -euo pipefail
. "$(dirname "$0")/../need_tools.sh"

build=$1 source=$2 app_id=$3 icon=$4 version=$5 bindir=$6 docs=$7
shift 7
sizes=("$@")

need_tools desktop-file-validate appstreamcli

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
key() { sed -n "s/^$1=//p" "$desktop"; }

# The program.
program=$prefix/$bindir/vennaloop
if [ -x "$program" ]; then
  answer=$("$program" --version) || fail "$bindir/vennaloop --version fails"
  [ "$answer" = "vennaloop $version" ] || fail "--version says '$answer', not 'vennaloop $version'"
else
  fail "no program at $bindir/vennaloop"
fi

# The manual page, made by help2man from the program's --help.
man=$prefix/share/man/man6/vennaloop.6.gz
if gzip -t "$man" 2>/dev/null; then
  page=$(gzip -dc "$man")
  [[ $page == *'.TH VENNALOOP "6"'* ]] || fail "the manual page is not vennaloop(6)"
  [[ $page == *"\-\-version"* && $page == *".SH KEYS"* ]] ||
    fail "the manual page lacks the options or the keys"
else
  fail "no gzipped manual page at share/man/man6/vennaloop.6.gz (help2man makes it)"
fi

# The copyright file: machine-readable, and LICENSE's own notice and text in it.
copyright=$prefix/share/doc/vennaloop/copyright
changelog=$prefix/share/doc/vennaloop/changelog.gz
if [ "$docs" = OFF ]; then
  for file in "$copyright" "$changelog"; do
    [ ! -e "$file" ] || fail "${file#"$prefix"/} is installed, though the package's docs are off"
  done
elif [ -f "$copyright" ]; then
  format=https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
  [ "$(head -1 "$copyright")" = "Format: $format" ] ||
    fail "the copyright file is not in the machine-readable format"
  holder=$(sed -n 's/^Copyright (c) //p' "$source/LICENSE")
  grep -qx "Copyright: $holder" "$copyright" || fail "the copyright file does not name '$holder'"
  # Every line of the licence after its notice, as formatted text: one space in, "." for empty.
  expected=$(sed '1,/^Copyright (c)/d' "$source/LICENSE" |
    sed -e '/./,$!d' -e 's/^$/./' -e 's/^/ /')
  actual=$(awk '/^License: Expat$/ { text = 1; next } text && /^ / { print; next } { text = 0 }' \
    "$copyright")
  [ "$actual" = "$expected" ] || fail "the copyright file's licence text is not LICENSE's"
  grep -q "^Files: \*" "$copyright" || fail "the copyright file has no 'Files: *' paragraph"
  ! grep -q '^#' "$copyright" || fail "the copyright file kept its template's comments"
else
  fail "no copyright file at share/doc/vennaloop/copyright"
fi
if [ "$docs" != OFF ] &&
   ! gzip -dc "$changelog" 2>/dev/null | head -1 | grep -q "^vennaloop ($version) "; then
  fail "no changelog.gz whose newest entry is $version"
fi

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
  for k in Exec TryExec; do
    command=$(key $k)
    [ "${command%% *}" = "$program" ] || fail "$k=$command, the program is installed as $program"
  done
  [ "$(key Icon)" = "$icon" ] || fail "Icon=$(key Icon), the icon is installed as $icon"
else
  fail "no desktop entry at share/applications/$app_id.desktop"
fi

# The metainfo.
if [ -f "$metainfo" ]; then
  # Pedantic notes count too, but for the id's capital letter: reverse-DNS ids take the
  # program's name as it is written, as freedesktop.org's own examples of such ids do.
  report=$(appstreamcli validate --pedantic --no-net "$metainfo") ||
    fail "appstreamcli rejects $metainfo"
  notes=$(printf '%s\n' "$report" | grep -E '^[EWIP]: ' |
    grep -v ' cid-contains-uppercase-letter ' || true)
  [ -z "$notes" ] || fail "appstreamcli has notes on $metainfo: $notes"
  grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo's id is not $app_id"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
  grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
  binary=$(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo")
  [ -x "$prefix/$bindir/$binary" ] || fail "the metainfo provides binary '$binary', which is not installed"
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
echo "installed and checked: program, manual page, copyright, changelog, desktop entry, metainfo," \
  "${#sizes[@]} PNG icons and the SVG"
