#!/usr/bin/env bash
# Builds and runs every benchmark; each prints "name: ratio=R (target <= T)" lines.
# Exits 0 only when every figure meets its target.
set -uo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh || exit 1
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVANEL_BENCH=ON -DORVANEL_TESTS=OFF >/dev/null || exit 1
cmake --build build-bench --parallel "$(nproc)" >build-bench/build.log 2>&1 || { tail -40 build-bench/build.log; exit 1; }
status=0
for b in build-bench/bin/bench_*; do
  [ -x "$b" ] || continue
  "$b" || status=1
done
exit $status
