#!/usr/bin/env bash
# The catalogues are complete: lupdate run over the sources finds no text
# they lack and none they keep for nothing, and every text has a finished
# German and French translation.
# Usage: translations_test.sh LUPDATE SOURCE_FOLDER CATALOGUE...
set -euo pipefail
lupdate=$1
sources=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
copies=()
for catalogue in "$@"; do
  cp "$catalogue" "$work/"
  copies+=("$work/$(basename "$catalogue")")
done
"$lupdate" -silent -locations none -no-obsolete "$sources" -ts "${copies[@]}"
status=0
for catalogue in "$@"; do
  copy="$work/$(basename "$catalogue")"
  if ! diff -u "$catalogue" "$copy"; then
    echo "$(basename "$catalogue") is not up to date with the sources: run lupdate (see data/CMakeLists.txt)" >&2
    status=1
  fi
  if grep -n -E 'type="(unfinished|vanished|obsolete)"|<translation/>|<translation></translation>' "$copy" >&2; then
    echo "$(basename "$catalogue") has texts without a translation" >&2
    status=1
  fi
done
exit $status
