#!/usr/bin/env bash
# Usage: package_test.sh BUILD_DIR SOURCE_DIR CXX INSTALL_PREFIX
# The Debian packages as a user gets them: made by cpack from the build, checked by
# lintian (no error, no warning), installed into this machine with dpkg, then used:
# the calculator runs, a program builds with plain pkg-config and a CMake project
# with find_package(korvi) and korvi_embed_resources(); purged at the end, leaving no
# file behind. Needs root and a build configured for /usr (Debian's library folder);
# skipped (status 77) otherwise, and when one of the packages is already installed
# (it is left alone).
set -euo pipefail
build=$(realpath "$1") source=$(realpath "$2") cxx=$3 prefix=$4
packages=(libkorvi0 libkorvi-dev korvi-calc)

fail() { echo "package test: $*" >&2; exit 1; }
skip() { echo "package test skipped: $*"; exit 77; }

[[ $(id -u) -eq 0 ]] || skip "installing packages needs root"
[[ $prefix == /usr ]] ||
  skip "the packages are made from a build configured with -DCMAKE_INSTALL_PREFIX=/usr"
for tool in cpack lintian dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || fail "no $tool (scripts/setup installs it)"
done
# Whether dpkg has the package in any state but "not installed" ("rc" included).
known() {
  local status
  status=$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) || return 1
  [[ -n $status && $status != *not-installed ]]
}
for package in "${packages[@]}"; do
  ! known "$package" || skip "$package is already on this machine"
done

scratch=$(mktemp -d)
installed=no
cleanup() {
  if [[ $installed == yes ]]; then dpkg --purge "${packages[@]}" >/dev/null 2>&1 || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

# dpkg, waiting up to a minute while another package tool holds its lock.
run_dpkg() {
  local tries=60 output
  until output=$(dpkg "$@" 2>&1); do
    if [[ $output != *lock* ]] || ((--tries == 0)); then
      echo "$output" >&2
      return 1
    fi
    sleep 1
  done
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/packages" >/dev/null ||
  fail "cpack failed"
debs=()
for package in "${packages[@]}"; do
  deb=$(find "$scratch/packages" -maxdepth 1 -name "${package}_*.deb")
  [[ -n $deb ]] || fail "cpack made no $package"
  debs+=("$deb")
done
lintian --fail-on error,warning "${debs[@]}" 2>/dev/null || fail "lintian reports the above"

# Every path the packages hold that this machine does not have yet: after purging,
# none of them may be left, folders included.
new_paths=$scratch/new_paths
for deb in "${debs[@]}"; do
  dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\./|/|' -e 's|/$||'
done | sort -u | while IFS= read -r path; do
  [[ -z $path || -e $path || -L $path ]] || echo "$path"
done >"$new_paths"

installed=yes
run_dpkg -i "${debs[@]}" || fail "the packages do not install"
[[ $(ldconfig -p) == *'libkorvi.so.0 '* ]] || fail "the ldconfig trigger did not run"
work=$scratch/work
mkdir -p "$work"

# The calculator, from the search path, with its manual page.
[[ $(cd "$work" && printf '1+2*3\nexit\n' | korvi-calc) == *$'ans =\n\t7'* ]] ||
  fail "korvi-calc does not compute"
test -s /usr/share/man/man1/korvi-calc.1.gz || fail "no manual page"

# A program with plain pkg-config: the system folders are left to the compiler.
unset PKG_CONFIG_PATH
[[ $(pkg-config --variable=pcfiledir korvi) == /usr/lib/* ]] || fail "pkg-config finds no korvi in /usr"
flags=$(pkg-config --cflags --libs korvi)
[[ " $flags " != *" -I/usr/include "* && $flags != *pkgconfig/..* ]] ||
  fail "pkg-config gives: $flags"
# shellcheck disable=SC2086  # the flags are words
"$cxx" -std=c++20 "$source/examples/shapes_gallery.cpp" -o "$work/shapes_gallery" $flags ||
  fail "a program does not build with pkg-config"
(cd "$work" && ./shapes_gallery >/dev/null) || fail "the program does not run"
test -s "$work/shapes_gallery.bmp" || fail "the program wrote no picture"

# A CMake project that embeds a picture, against the installed package only: the
# generated source must not put /usr/include on the include path (GCC's C++
# headers then miss the C library's).
cmake -S "$source/tests/install/consumer" -B "$work/consumer" -G Ninja \
  -DCMAKE_CXX_COMPILER="$cxx" -DPICTURE="$source/tests/graphics/files/data/quadrants.bmp" \
  >/dev/null || fail "find_package(korvi) fails"
grep -q '^korvi_DIR:PATH=/usr/lib/' "$work/consumer/CMakeCache.txt" ||
  fail "find_package(korvi) did not find the package's copy"
! grep -Eq -- '(-I|-isystem )/usr/include( |$)' "$work/consumer/build.ninja" ||
  fail "the project's flags name /usr/include"
cmake --build "$work/consumer" >/dev/null || fail "the CMake project does not build"
"$work/consumer/consumer" >/dev/null || fail "the CMake project's program fails"

# Purged, nothing is left: no file, no package state, no cached library.
run_dpkg --purge "${packages[@]}" || fail "the packages do not purge"
installed=no
while IFS= read -r path; do
  [[ ! -e $path && ! -L $path ]] || fail "$path is left after purging"
done <"$new_paths"
for package in "${packages[@]}"; do
  ! known "$package" || fail "dpkg still knows $package"
done
[[ $(ldconfig -p) != *libkorvi* ]] || fail "the library cache still lists libkorvi"
echo "the packages install, work and purge cleanly"
