#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test.
#   ./test.sh             normal build in build/
#   ./test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
#   ./test.sh --soak SECONDS  the sanitizer build's soak test alone, SECONDS of random use
#                         from a seed it prints: OMBRELIS_SOAK_SEED if set (.ci/run
#                         sets it from the commit), else the clock's, new each run
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages

build_dir=build
options=(-DOMBRELIS_WERROR=ON)
soak_seconds=
if [ "${1:-}" = "--soak" ] && [[ "${2:-}" =~ ^[0-9]+$ ]]; then
    soak_seconds=$2
    set -- --sanitize
fi
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-asan
    options+=(-DOMBRELIS_SANITIZE=ON -DOMBRELIS_BENCHMARKS=OFF)
    export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
elif [ $# -gt 0 ]; then
    echo "usage: ./test.sh [--sanitize | --soak SECONDS]" >&2
    exit 2
fi

cmake -S . -B "$build_dir" "${options[@]}" >/dev/null
if [ -n "$soak_seconds" ]; then
    cmake --build "$build_dir" -j "$(nproc)" --target test_soak
    QT_QPA_PLATFORM=offscreen OMBRELIS_EXAMPLES="$PWD/examples" OMBRELIS_SOAK_SECONDS="$soak_seconds" \
        "$build_dir/tests/test_soak"
    exit
fi
cmake --build "$build_dir" -j "$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
