#!/usr/bin/env bash
# Builds the editor and starts it; arguments go to the editor (./run.sh examples/wave.crv).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display available (DISPLAY and WAYLAND_DISPLAY are unset); try it under Xvfb: xvfb-run -a ./run.sh $*" >&2
    exit 1
fi
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)" --target ombrelis
exec build/ombrelis "$@"
