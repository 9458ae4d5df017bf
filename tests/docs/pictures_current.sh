#!/usr/bin/env bash
# Draws the documentation's pictures into a scratch folder and compares them with
# the committed ones in docs/gallery and docs/examples.
# Usage: pictures_current.sh COMPARE_PICTURES BUILD_DIR SOURCE_DIR EXAMPLE...
set -euo pipefail
compare=$1 build=$2 source=$3
shift 3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$source/docs/make_pictures.sh" "$build" "$scratch" "$@"
status=0
for folder in gallery examples; do
  "$compare" "$source/docs/$folder" "$scratch/$folder" || status=1
done
exit $status
