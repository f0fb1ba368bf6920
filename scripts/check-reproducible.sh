#!/usr/bin/env bash
# check-reproducible.sh: builds the packages twice from two clones of the committed tree and
# checks that they are the same bytes: the .deb (scripts/package.sh), and the Windows program,
# its zip and its installer (scripts/package-windows.sh). The two builds differ in everything a
# build should not depend on: the clone's path, the umask (022 and 002), the time zone, the
# locale and the times of the clone's files. On a difference it says what differs, through
# diffoscope where it is installed. Installs what is missing.
#   scripts/check-reproducible.sh      (KEEP=1 keeps the two clones and says where)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh build package windows locale
commit=$(git rev-parse HEAD)
git diff --quiet HEAD || echo "note: uncommitted changes are not built; checking $commit"
version=$(sed -n 's/^project(Vennaloop VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

work=$(mktemp -d "${TMPDIR:-/tmp}/vennaloop-repro.XXXXXX")
if [ "${KEEP:-0}" = 1 ]; then
  trap 'echo "the builds are kept in $work"' EXIT
else
  trap 'rm -rf "$work"' EXIT
fi

# build DIR UMASK TZ LOCALE SCATTER: clones the commit into DIR under UMASK and builds both
# packages there with TZ and LC_ALL set; SCATTER=1 gives each file of the clone a time of its
# own, years apart from the others'.
build() {
  local dir=$1 mask=$2 zone=$3 locale=$4 scatter=$5
  (
    umask "$mask"
    git clone -q --no-checkout --no-hardlinks "$root" "$dir"
    git -C "$dir" checkout -q "$commit"
    cd "$dir"
    if [ "$scatter" = 1 ]; then
      git ls-files -z | while IFS= read -r -d '' file; do
        touch -h -d "@$((315532800 + RANDOM * 32768 + RANDOM))" "$file"
      done
    fi
    export TZ=$zone LC_ALL=$locale
    local start=$SECONDS
    scripts/package.sh >package.log 2>&1 || { cat package.log; exit 1; }
    scripts/package-windows.sh >package-windows.log 2>&1 || { cat package-windows.log; exit 1; }
    echo "built in $dir (umask $mask, TZ=$zone, LC_ALL=$locale) in $((SECONDS - start)) s"
  )
}

build "$work/one/vennaloop" 022 UTC C.UTF-8 0
build "$work/the/second/build/vennaloop-again" 002 Pacific/Kiritimati ja_JP.UTF-8 1

# What differs between two files, as well as the tools at hand can say.
explain() {
  local a=$1 b=$2
  if command -v diffoscope >/dev/null; then
    diffoscope --text - "$a" "$b" | head -n 200 || true
    return
  fi
  echo "(diffoscope is not installed: a coarser account follows)"
  case $a in
    *.deb)
      diff <(dpkg-deb -c "$a") <(dpkg-deb -c "$b") || true
      diff <(dpkg-deb -I "$a") <(dpkg-deb -I "$b") || true
      local x y
      x=$(mktemp -d) y=$(mktemp -d)
      dpkg-deb -x "$a" "$x" && dpkg-deb -x "$b" "$y"
      diff -r "$x" "$y" || true
      rm -rf "$x" "$y"
      ;;
    *.zip) diff <(unzip -lv "$a") <(unzip -lv "$b") || true ;;
    *) cmp -l "$a" "$b" | head -n 20 || true ;;
  esac
  echo "$(cmp -l "$a" "$b" | wc -l) bytes differ"
}

deb=build-package/vennaloop_${version}_$(dpkg --print-architecture).deb
files=("$deb" build-windows/vennaloop.exe "build-windows/vennaloop-$version-windows-x64.zip"
       "build-windows/vennaloop-$version-setup.exe")
differ=0
for file in "${files[@]}"; do
  a=$work/one/vennaloop/$file b=$work/the/second/build/vennaloop-again/$file
  if cmp -s "$a" "$b"; then
    echo "same: $file ($(stat -c %s "$a") bytes, sha256 $(sha256sum "$a" | cut -c1-16)...)"
  else
    echo "DIFFERENT: $file"
    explain "$a" "$b"
    differ=1
  fi
done
[ "$differ" -eq 0 ] || { echo "the two builds differ"; exit 1; }
echo "the two builds are bit-identical"
