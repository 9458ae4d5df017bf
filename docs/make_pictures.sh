#!/usr/bin/env bash
# Draws the documentation's pictures into OUT_DIR: OUT_DIR/gallery/ by make_gallery
# and OUT_DIR/examples/NAME.png by each example program NAME. Needs no display.
# Usage: make_pictures.sh BUILD_DIR OUT_DIR EXAMPLE...
set -euo pipefail
build=$1 out=$2
shift 2
mkdir -p "$out/gallery" "$out/examples"
"$build/docs/make_gallery" "$out/gallery"
for example in "$@"; do
  "$build/examples/$example" "$out/examples/$example.png" >/dev/null
done
