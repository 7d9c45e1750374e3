#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, then
# runs each one from its seed corpus. A crash, a sanitizer report, a leak, a hang or a broken
# invariant fails the script and leaves the input that did it behind.
#
# The test command runs a fixed number of inputs from a fixed seed, so that a run gives the same
# verdict on every machine; a slow machine may stop early at the time cap, on a prefix of the
# same inputs. Longer searches set FUZZ_SEED (0: libFuzzer picks one) and FUZZ_RUNS (-1: no
# limit) and FUZZ_SECONDS.
#
# Needs clang and libclang-rt-14-dev besides the packages of install-deps.sh.
# FUZZ_SECONDS (default 10) caps the time per target, FUZZ_BUILD_DIR (default build-fuzz) the
# build folder, FUZZ_KEEP=1 keeps the scratch folder (corpora, logs) for a closer look.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
seconds="${FUZZ_SECONDS:-10}"
seed="${FUZZ_SEED:-1}"
build="${FUZZ_BUILD_DIR:-build-fuzz}"
targets=(fuzz_reader fuzz_import fuzz_number fuzz_forms fuzz_calculate fuzz_road)

if ! command -v clang++ >/dev/null; then
    echo "clang++ not found: install clang and libclang-rt-14-dev" >&2
    exit 2
fi

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DTESSARO_FUZZ=ON -DTESSARO_SANITIZE=ON \
    -DTESSARO_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target "${targets[@]}" -j"$(nproc)"

work="$(mktemp -d "${TMPDIR:-/tmp}/tessaro-fuzz-smoke.XXXXXX")"
if [ "${FUZZ_KEEP:-0}" != 1 ]; then
    trap 'rm -rf "$work"' EXIT
fi

# The road input: op count, ops, the two entry texts, then the file bodies, NUL between parts.
# These ops load a.arf, calculate with Lagrange, switch to divided differences, calculate and
# save to out.arf.
road_seed() {
    printf '\005\000\001\014\001\005\000\000'
    cat "$1"
    printf '\000'
}

failed=()
for target in "${targets[@]}"; do
    name="${target#fuzz_}"
    corpus="$work/$name/corpus"
    artifacts="$work/$name/artifacts"
    mkdir -p "$corpus" "$artifacts"
    cp "fuzz/corpus/$name/"* "$corpus/"
    options=()
    # Runs per target from the fixed seed: about ten seconds each on a 2-core machine.
    case "$name" in
    reader) runs=40000 ;;
    import) runs=160000 ;;
    number) runs=300000 ;;
    forms) runs=20000 ;;
    calculate) runs=5000 ;;
    road) runs=450 ;;
    esac
    runs="${FUZZ_RUNS:-$runs}"
    case "$name" in
    reader)
        cp samples/*.arf "$corpus/"
        options+=("-dict=$root/fuzz/arf.dict")
        ;;
    import)
        options+=("-dict=$root/fuzz/arf.dict")
        ;;
    road)
        for sample in samples/*.arf; do
            road_seed "$sample" >"$corpus/sample-$(basename "$sample" .arf)"
        done
        options+=("-dict=$root/fuzz/arf.dict")
        ;;
    number)
        options+=("-dict=$root/fuzz/number.dict")
        ;;
    esac

    echo "== $target: seed $seed, $runs runs, at most ${seconds}s"
    status=0
    ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
        UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "$build/fuzz/$target" -seed="$seed" -runs="$runs" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "${options[@]}" "$corpus" >"$work/$name/log" 2>&1 ||
        status=$?
    grep -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units|^stat::average_exec_per_sec' \
        "$work/$name/log" || true
    if [ "$status" -ne 0 ] || [ -n "$(ls -A "$artifacts")" ]; then
        tail -n 40 "$work/$name/log" >&2
        kept="$root/$build/fuzz-findings/$name"
        mkdir -p "$kept"
        cp "$artifacts"/* "$kept/" 2>/dev/null || true
        echo "!! $target found something (exit $status); inputs copied to $kept" >&2
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Fuzz smoke failed: ${failed[*]}" >&2
    exit 1
fi
echo "Fuzz smoke passed."
