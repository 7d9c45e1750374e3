#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds Tessaro and tessaro-batch, and starts Tessaro in a copy of the
# bundled samples, so the file list shows them at once and nothing the program writes lands in
# the source tree.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" --target tessaro tessaro-batch
mkdir -p build/run
cp -n samples/*.arf build/run/ 2>/dev/null || true
cd build/run
exec ../app/tessaro
