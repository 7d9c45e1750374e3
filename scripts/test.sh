#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, then builds and runs every test headless twice: once with
# AddressSanitizer and UndefinedBehaviorSanitizer (any report fails), once as released, with
# warnings as errors in both. In between, each fuzz target runs a fixed set of inputs from a
# fixed seed (about ten seconds each).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

echo "== Sanitizer build =="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTESSARO_WERROR=ON -DTESSARO_SANITIZE=ON \
    -DTESSARO_BENCH=OFF
cmake --build build-asan -j"$jobs"
(
    cd build-asan
    ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 \
        UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        ctest --output-on-failure -j"$jobs"
)

echo "== Fuzz smoke =="
scripts/fuzz-smoke.sh

echo "== Release build =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTESSARO_WERROR=ON
cmake --build build -j"$jobs"
cd build
ctest --output-on-failure -j"$jobs"
