#!/usr/bin/env bash
# Configures and builds the suite into build/ (executables in build/bin/).
set -euo pipefail
cd "$(dirname "$0")/.."
"./scripts/install-deps.sh"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build --parallel "$(nproc)"
