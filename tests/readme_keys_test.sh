#!/usr/bin/env bash
# readme_keys_test.sh: the README's table of keys is the shared key help, word for word.
#
#   readme_keys_test.sh VENNALOOP_HELP README.md
set -euo pipefail
expected=$("$1" markdown)
actual=$(sed -n '/^## Keys$/,/^## /{/^|/p;}' "$2")
if [ "$expected" != "$actual" ]; then
  echo "FAIL: the README's keys differ from the shared key help (ui/help.cpp); expected:"
  diff <(echo "$actual") <(echo "$expected") || true
  exit 1
fi
echo "the README's keys are the shared key help"
