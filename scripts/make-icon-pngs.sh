#!/usr/bin/env bash
# Renders the PNG sizes of the icons from their SVG files. Run by hand after
# changing an SVG (needs rsvg-convert, Debian's librsvg2-bin); the PNGs are kept
# in the repository so that building needs no SVG tool.
set -euo pipefail
cd "$(dirname "$0")/../data/icons/hicolor"
render() {  # render CONTEXT NAME SIZE...
    local context=$1 name=$2
    shift 2
    for size in "$@"; do
        mkdir -p "${size}x${size}/$context"
        rsvg-convert -w "$size" -h "$size" "scalable/$context/$name.svg" -o "${size}x${size}/$context/$name.png"
    done
}
render apps ombrelis 16 22 24 32 48 64 128 256
render mimetypes text-x-ombrelis-curve 16 32 48
