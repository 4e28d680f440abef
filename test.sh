#!/usr/bin/env bash
# Builds the suite and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/build.sh
cd build
ctest --output-on-failure --parallel "$(nproc)" "$@"
