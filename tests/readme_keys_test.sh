#!/usr/bin/env bash
# readme_keys_test.sh: the README's keys (the table and the note under it) are the shared key
# help, word for word.
#
#   readme_keys_test.sh VENNALOOP_HELP README.md
set -euo pipefail
expected=$("$1" markdown)
# The section's body, without its heading, the next one, or the blank lines around it.
actual=$(sed -n '/^## Keys$/,/^## /{/^## /d;p;}' "$2" | sed -e '/./,$!d' | tac | sed -e '/./,$!d' | tac)
if [ "$expected" != "$actual" ]; then
  echo "FAIL: the README's keys differ from the shared key help (ui/help.cpp); expected:"
  diff <(echo "$actual") <(echo "$expected") || true
  exit 1
fi
echo "the README's keys are the shared key help"
