#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) in build-fuzz/ and runs them.
#   ./fuzz.sh [TARGET|all] [SECONDS]   one target or all (default), 60 s each by default
#   ./fuzz.sh --ci [SECONDS]           every target from the committed corpus only
# New corpus entries go to build-fuzz/corpus/TARGET, findings to
# build-fuzz/findings/TARGET; the committed seeds in fuzz/corpus/ are only read.
# Prints per target the inputs run, inputs per second of wall time and of CPU
# time, and the findings.
# Exits 1 when any target found something.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_fuzz_packages

targets=(crv_reader script scene pixel_rules pointer_editing)
ci=false
if [ "${1:-}" = "--ci" ]; then
    ci=true
    shift
    set -- all "$@"
fi
target=${1:-all}
seconds=${2:-60}
if [ "$target" != all ] && [[ ! " ${targets[*]} " =~ " $target " ]]; then
    echo "usage: ./fuzz.sh [--ci] [$(IFS='|'; echo "${targets[*]}")|all] [SECONDS]" >&2
    exit 2
fi
[ "$target" = all ] || targets=("$target")

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DOMBRELIS_FUZZ=ON -DOMBRELIS_WERROR=ON \
    "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}" >/dev/null

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
failed=0
for name in "${targets[@]}"; do
    run=$name
    $ci && run=ci-$name
    corpus=build-fuzz/corpus/$run
    $ci && rm -rf "$corpus"
    findings=build-fuzz/findings/$name
    mkdir -p "$corpus" "$findings"
    options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
             -artifact_prefix="$findings/" -close_fd_mask=1)
    [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
    log=build-fuzz/$run.log
    known=$(find "$findings" -type f | wc -l)
    status=0
    # CPU seconds as well as wall time: on a shared machine the wall-clock
    # rate says more about the load than about the target.
    TIMEFORMAT='%U %S'
    { time "build-fuzz/fuzz/fuzz_$name" "${options[@]}" "$corpus" "fuzz/corpus/$name" \
          >"$log" 2>&1 || status=$?; } 2>"build-fuzz/$run.cpu"
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    cpuRate=$(awk -v runs="${runs:-0}" '{ s = $1 + $2; printf "%d", (s > 0 ? runs / s : 0) }' "build-fuzz/$run.cpu")
    found=$(( $(find "$findings" -type f | wc -l) - known ))
    # libFuzzer stops at its first finding; a failure that left no input still counts.
    [ "$status" -ne 0 ] && [ "$found" -eq 0 ] && found=1
    printf '%-15s %10s inputs %8s inputs/s %8s inputs/CPU-s %3s findings\n' \
        "$name" "${runs:-?}" "${rate:-?}" "$cpuRate" "$found"
    if [ "$found" -ne 0 ]; then
        failed=1
        echo "  see $log and $findings/" >&2
    fi
done
exit "$failed"
