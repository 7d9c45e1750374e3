#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds with warnings as errors and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTESSARO_WERROR=ON
cmake --build build -j"$jobs"
cd build
ctest --output-on-failure -j"$jobs"
