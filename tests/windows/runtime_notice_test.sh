#!/usr/bin/env bash
# runtime_notice_test.sh: the licences the Windows packages carry cover the code linked into the
# program. The linker's map names every archive a member was taken from; each must be the
# project's own, an import library of a DLL that Windows ships, or a runtime piece whose section
# the notice file has.
#
#   runtime_notice_test.sh vennaloop.map runtime-licenses.txt
set -euo pipefail
map=$1 notice=$2
[ -s "$map" ] || { echo "FAIL: no link map at $map (build the vennaloop target)"; exit 1; }

# Archive -> the heading of its section in the notice; "-" needs none.
declare -A sections=(
  [libpthread.a]="winpthreads" [libwinpthread.a]="winpthreads"
  [libmingw32.a]="mingw-w64 runtime" [libmingwex.a]="mingw-w64 runtime"
  [libmsvcrt.a]="mingw-w64 runtime" [libmoldname.a]="mingw-w64 runtime"
  [libstdc++.a]="GCC runtime" [libgcc.a]="GCC runtime" [libgcc_eh.a]="GCC runtime"
  [libkernel32.a]=- [libuser32.a]=- [libgdi32.a]=- [libcomctl32.a]=- [libimm32.a]=-
  [libwinmm.a]=- [libbcrypt.a]=- [libadvapi32.a]=- [libshell32.a]=- [libole32.a]=-
  [libvennaloop_core.a]=- [libvennaloop_ui.a]=- [libvennaloop_win.a]=- [objects.a]=-
)

failures=0
archives=$(awk '/^Archive member included/ { on = 1; next }
                /^(Discarded input sections|Allocating common symbols|Memory Configuration)/ { on = 0 }
                on && /^[^ ]/ { sub(/\(.*/, ""); print }' "$map" | xargs -n 1 basename | sort -u)
[ -n "$archives" ] || { echo "FAIL: the map names no archive"; exit 1; }
for archive in $archives; do
  section=${sections[$archive]:-}
  if [ -z "$section" ]; then
    echo "FAIL: $archive is linked in, and nothing says whose licence its code is under"
    failures=$((failures + 1))
  elif [ "$section" != - ] && ! grep -qx "$section (.*)" "$notice"; then
    echo "FAIL: $archive is linked in, and the notice has no '$section' section"
    failures=$((failures + 1))
  elif [ "$section" = - ]; then
    echo "ok: $archive"
  else
    echo "ok: $archive, under '$section'"
  fi
done
[ "$failures" -eq 0 ] && echo "the notice covers every runtime piece the program carries"
exit "$failures"
