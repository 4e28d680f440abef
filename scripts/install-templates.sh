#!/usr/bin/env bash
# Copies the report templates into the user's Templates folder
# ("<documents>/Orvanel/Templates/", the folder the programs read them from), never
# replacing a template that is already there: the user may have edited it.
#
#   scripts/install-templates.sh [SOURCE_FOLDER]
#
# SOURCE_FOLDER holds the *.fr3 files (default: templates/ beside this script's folder;
# `cmake --install` passes the installed share/orvanel/templates).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source_dir="${1:-$here/templates}"
if [ ! -d "$source_dir" ]; then
  echo "install-templates: no template folder $source_dir" >&2
  exit 1
fi
# The documents folder as the desktop publishes it (user-dirs), else ~/Documents.
docs="$(xdg-user-dir DOCUMENTS 2>/dev/null || true)"
if [ -z "$docs" ] || [ "$docs" = "$HOME" ]; then docs="${XDG_DOCUMENTS_DIR:-$HOME/Documents}"; fi
target="$docs/Orvanel/Templates"
mkdir -p "$target"
shopt -s nullglob
for t in "$source_dir"/*.fr3; do
  name="$(basename "$t")"
  if [ -e "$target/$name" ]; then
    continue
  fi
  # Copy under a temporary name first: an interrupted copy never leaves half a template.
  cp "$t" "$target/.$name.tmp" && mv "$target/.$name.tmp" "$target/$name"
  echo "install-templates: $target/$name"
done
