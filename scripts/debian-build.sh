#!/usr/bin/env bash
# debian-build.sh: builds the Debian source package (debian/) the way a distribution does and
# judges it: an upstream tarball of the committed tree, then dpkg-buildpackage -us -uc as an
# unprivileged user in a copy outside the tree (source and binary, every test that runs without
# the network), lintian on the .changes (nothing but the initial upload's warning may be said),
# hardening-check on the program, and the autopkgtest on this machine (autopkgtest -- null,
# which installs the package; it is removed again unless it was installed before). Installs what
# is missing.
#   scripts/debian-build.sh     (BUILD_USER names the user; nobody by default; KEEP=1 keeps it)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh build play package test debian
commit=$(git rev-parse HEAD)
git diff --quiet HEAD || echo "note: uncommitted changes are not built; building $commit"
version=$(dpkg-parsechangelog -l debian/changelog -S Version)
upstream=${version%-*}
user=${BUILD_USER:-nobody}

work=$(mktemp -d "${TMPDIR:-/tmp}/vennaloop-debian.XXXXXX")
installed_before=$(dpkg-query -W -f '${Status}' vennaloop 2>/dev/null || true)
cleanup() {
  if [ "$installed_before" != "install ok installed" ] &&
     [[ $(dpkg-query -W -f '${Status}' vennaloop 2>/dev/null) == *'ok installed' ]]; then
    dpkg --purge vennaloop >/dev/null || true
  fi
  if [ "${KEEP:-0}" = 1 ]; then echo "kept in $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# The upstream tarball holds the tree without debian/; the build tree has both.
step() { echo "==> $*"; }
step "upstream tarball of $commit"
git archive --format=tar --prefix="vennaloop-$upstream/" "$commit" -- . ':!debian' |
  xz -6 >"$work/vennaloop_$upstream.orig.tar.xz"
tar -C "$work" -xJf "$work/vennaloop_$upstream.orig.tar.xz"
git archive --format=tar "$commit" debian | tar -C "$work/vennaloop-$upstream" -x

# As the user: a build as root proves nothing about the tests' files and permissions.
# Its home is a folder of the build's own.
mkdir "$work/home"
as_user=(env HOME="$work/home")
if [ "$(id -u)" -eq 0 ]; then
  chown -R "$user:" "$work"
  as_user=(runuser -u "$user" -- "${as_user[@]}")
else
  user=$(id -un)
fi
start=$SECONDS
step "dpkg-buildpackage -us -uc as $user"
(cd "$work/vennaloop-$upstream" &&
   "${as_user[@]}" DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc \
     >"$work/build.log" 2>&1) ||
  { tail -n 200 "$work/build.log"; echo "FAIL: dpkg-buildpackage (log above)"; exit 1; }
grep -E '^(100% tests passed|[0-9]+% tests passed)|tests passed, ' "$work/build.log" || true
grep -A40 'The following tests did not run' "$work/build.log" | grep -E 'Skipped|Not Run' || true
echo "built in $((SECONDS - start)) s"

changes=$work/vennaloop_${version}_$(dpkg --print-architecture).changes
deb=$work/vennaloop_${version}_$(dpkg --print-architecture).deb
step "hardening-check $deb"
mkdir "$work/unpacked" && dpkg-deb -x "$deb" "$work/unpacked"
# As for the quick package: no control-flow protection from Debian 12's C start files.
hardening-check --nocfprotection "$work/unpacked/usr/games/vennaloop"
step "lintian $changes"
report=$("${as_user[@]}" lintian -I -E --pedantic --color never "$changes" 2>&1) || true
echo "$report"
# The one warning a first upload without an ITP bug gets.
bad=$(echo "$report" | grep -E '^[EW]: ' | grep -v ' initial-upload-closes-no-bugs' || true)
[ -z "$bad" ] || { echo "FAIL: lintian has errors or warnings"; exit 1; }

step "autopkgtest -- null"
start=$SECONDS
status=0
autopkgtest -q -o "$work/autopkgtest" "$changes" -- null || status=$?
cat "$work/autopkgtest/summary" 2>/dev/null || true
# 2 is "at least one test was skipped", which a superficial-only run is not.
[ "$status" -eq 0 ] || { echo "FAIL: autopkgtest, status $status"; exit 1; }
echo "autopkgtest in $((SECONDS - start)) s"
echo "the source package builds, passes lintian and its autopkgtest"
