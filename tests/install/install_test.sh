#!/usr/bin/env bash
# Usage: install_test.sh BUILD_DIR SOURCE_DIR CXX
set -euo pipefail
build=$1 source=$2 cxx=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
test -f "$scratch/prefix/include/korvi/graphics.h"

# A program built with pkg-config, from the installed copy only.
export PKG_CONFIG_PATH=$(dirname "$(find "$scratch/prefix" -name korvi.pc)")
"$cxx" -std=c++20 "$source/examples/shapes_gallery.cpp" -o "$scratch/shapes_gallery" \
  $(pkg-config --cflags --libs korvi)
(cd "$scratch" && ./shapes_gallery >/dev/null)
test -s "$scratch/shapes_gallery.bmp"

# A CMake project with find_package(korvi), embedding a picture it then loads.
cmake -S "$source/tests/install/consumer" -B "$scratch/consumer" -G Ninja \
  -DCMAKE_PREFIX_PATH="$scratch/prefix" -DCMAKE_CXX_COMPILER="$cxx" \
  -DPICTURE="$source/tests/graphics/files/data/quadrants.bmp" >/dev/null
cmake --build "$scratch/consumer" >/dev/null
"$scratch/consumer/consumer"
echo "installed copy works"
