#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build into a temporary prefix, builds the consumer against it with find_package
# (and, where pkg-config is installed, with pkg-config alone), and checks that it writes what
# tessaro-batch writes. Arguments: cmake, build dir, consumer source, tessaro-batch, sample,
# compiler flags (the sanitizers of the build, which a program loading the library needs too).
set -euo pipefail
cmake_command=$1 build=$2 consumer=$3 batch=$4 sample=$5 flags=${6:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cmake_command" --install "$build" --prefix "$work/prefix" >/dev/null
"$cmake_command" -S "$consumer" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_BUILD_TYPE=Release >/dev/null
"$cmake_command" --build "$work/build" >/dev/null

for mode in "" -t -L; do
    "$work/build/consumer" "$sample" $mode >"$work/library.arf"
    "$batch" -q -n 161 -p 3 $mode -o - "$sample" >"$work/batch.arf"
    cmp "$work/library.arf" "$work/batch.arf"
    echo "consumer ${mode:-(specified)}: $(wc -c <"$work/library.arf") bytes, as tessaro-batch"
done

if command -v pkg-config >/dev/null; then
    export PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig:$work/prefix/lib/$(gcc -print-multiarch)/pkgconfig"
    # shellcheck disable=SC2046
    g++ -std=c++20 $flags "$consumer/main.cpp" -o "$work/pc-consumer" $(pkg-config --cflags --libs tessaro)
    LD_LIBRARY_PATH="$(pkg-config --variable=libdir tessaro)" "$work/pc-consumer" "$sample" >"$work/pc.arf"
    "$batch" -q -n 161 -p 3 -o - "$sample" | cmp - "$work/pc.arf"
    echo "pkg-config consumer: as tessaro-batch"
fi
