#!/usr/bin/env bash
# Usage: install_test.sh BUILD_DIR SOURCE_DIR CXX
# The library as its users get it: installed into a scratch prefix, then programs
# built against the copy only, with pkg-config (the README's complete programs,
# fenced as ```cpp, and an example that is run) and with find_package() (a project
# that embeds a picture and loads it). Done for the static archive alone (a copy of
# the prefix without the shared library) and, when the build made one, for the
# shared library, whose exported symbols must all be declared by the public header.
set -euo pipefail
build=$1 source=$2 cxx=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "install test: $*" >&2; exit 1; }

# Builds and runs the programs against the installed copy in PREFIX; KIND is
# "static" or "shared".
check_programs() {
  local prefix=$1 kind=$2 work=$scratch/$2
  mkdir -p "$work"
  test -f "$prefix/include/korvi/graphics.h" || fail "no header in $prefix"
  export PKG_CONFIG_PATH
  PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name korvi.pc)")
  local libdir
  libdir=$(pkg-config --variable=libdir korvi)

  # What a program needs and nothing else: the library; FreeType and fontconfig
  # only for static linking; never the windowing libraries, opened at run time.
  local libs static_libs
  libs=$(pkg-config --libs korvi)
  static_libs=$(pkg-config --libs --static korvi)
  [[ $libs =~ ^-L[^\ ]+\ -lkorvi\ *$ ]] || fail "pkg-config --libs gives: $libs"
  [[ $static_libs == *-lfreetype* && $static_libs == *-lfontconfig* ]] ||
    fail "pkg-config --libs --static lacks FreeType or fontconfig: $static_libs"
  # Only the libraries named count: the paths are a random scratch folder.
  [[ " $libs $static_libs" != *" -l"[Ss][Dd][Ll]* ]] || fail "pkg-config asks for SDL"

  # The README's programs and an example, source file before the flags.
  awk -v dir="$work" '/^```cpp$/ { n++; out = dir "/readme_" n ".cpp"; next }
                      /^```/ { out = "" } out { print > out }' "$source/README.md"
  ls "$work"/readme_*.cpp >/dev/null 2>&1 || fail "no \`\`\`cpp program in README.md"
  for program in "$work"/readme_*.cpp "$source/examples/shapes_gallery.cpp"; do
    # shellcheck disable=SC2046  # the flags are words
    "$cxx" -std=c++20 "$program" -o "$work/$(basename "$program" .cpp)" \
      $(pkg-config --cflags --libs --static korvi) || fail "$program does not build ($kind)"
  done
  (cd "$work" && LD_LIBRARY_PATH=$libdir ./shapes_gallery >/dev/null)
  test -s "$work/shapes_gallery.bmp"
  if [[ $kind == shared ]]; then
    readelf -d "$work/shapes_gallery" | grep -q 'NEEDED.*\[libkorvi\.so\.0\]' ||
      fail "the program does not use libkorvi.so.0"
  fi

  # A CMake project with find_package(korvi), embedding a picture it then loads.
  cmake -S "$source/tests/install/consumer" -B "$work/consumer" -G Ninja \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_COMPILER="$cxx" \
    -DPICTURE="$source/tests/graphics/files/data/quadrants.bmp" >/dev/null
  cmake --build "$work/consumer" >/dev/null
  "$work/consumer/consumer" || fail "the $kind consumer fails"
  if [[ $kind == shared ]]; then
    readelf -d "$work/consumer/consumer" | grep -q 'NEEDED.*\[libkorvi\.so\.0\]' ||
      fail "find_package(korvi) does not give the shared library"
  fi
}

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/korvi-calc" || fail "the calculator is not installed as korvi-calc"

cp -a "$prefix" "$scratch/static-prefix"
find "$scratch/static-prefix" -name 'libkorvi.so*' -delete
check_programs "$scratch/static-prefix" static

library=$(find "$prefix" -name 'libkorvi.so.0')
if [[ -n $library ]]; then
  readelf -d "$library" | grep -q 'SONAME.*\[libkorvi\.so\.0\]' || fail "no SONAME libkorvi.so.0"
  # Every korvi name in an exported symbol is a type or function of the headers.
  headers=("$prefix"/include/korvi/*.h)
  names=$(nm -D --defined-only "$library" | c++filt | grep -o 'korvi::[A-Za-z_0-9]*' | sort -u)
  [[ $names == *korvi::draw_line* ]] || fail "draw_line is not exported"
  for name in ${names//korvi::/}; do
    grep -Eqh "(class|struct) $name\b|\b$name\(" "${headers[@]}" || fail "korvi::$name is exported"
  done
  check_programs "$prefix" shared
fi
echo "installed copy works"
