#!/usr/bin/env bash
# Refreshes translations/velmora_en.ts from the tr() texts under src/.
# Run by hand after changing interface texts, then translate the new entries
# ("unfinished" ones) and commit the .ts file; the build only runs lrelease.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-}
if [ -z "$lupdate" ]; then
  for candidate in /usr/lib/qt6/bin/lupdate "$(command -v lupdate6 || true)" "$(command -v lupdate || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then lupdate=$candidate; break; fi
  done
fi
if [ -z "$lupdate" ]; then
  echo "lupdate not found (install qt6-l10n-tools or set LUPDATE)" >&2
  exit 1
fi
# Texts passed through one-argument helpers (Tr("...") with a context
# constant) are listed for lupdate in a generated file.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 scripts/translation-aliases.py src "$work/helper_texts.cpp"
"$lupdate" -no-obsolete -locations none -source-language ru_RU -target-language en_US \
  -I "$PWD/src" -extensions cpp,h src "$work/helper_texts.cpp" -ts translations/velmora_en.ts "$@"
