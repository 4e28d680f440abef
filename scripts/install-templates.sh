#!/usr/bin/env bash
# Copies the report templates into the user's Templates folder, never replacing a
# template that is already there (the user may have edited it).
set -euo pipefail
cd "$(dirname "$0")/.."
docs="$(xdg-user-dir DOCUMENTS 2>/dev/null || true)"
if [ -z "$docs" ] || [ "$docs" = "$HOME" ]; then docs="${XDG_DOCUMENTS_DIR:-$HOME/Documents}"; fi
target="$docs/Orvanel/Templates"
mkdir -p "$target"
shopt -s nullglob
for t in templates/*.fr3; do
  name="$(basename "$t")"
  [ -e "$target/$name" ] || cp "$t" "$target/$name"
done
