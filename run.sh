#!/usr/bin/env bash
# Builds and starts one program of the suite: ./run.sh kelvara|marovin|tessaly
set -euo pipefail
cd "$(dirname "$0")"
program="${1:-}"
case "$program" in
  kelvara|marovin|tessaly) ;;
  *) echo "usage: ./run.sh kelvara|marovin|tessaly" >&2; exit 2 ;;
esac
./scripts/build.sh
./scripts/install-templates.sh
exec "build/bin/$program"
