#!/usr/bin/env bash
# Runs the support tests under Wine, then has ImageMagick decode every picture they left and compares the pixels
# with the raw copy the test wrote beside it: our encoder must agree with a real decoder, not only with itself.
# Usage: check_png_decoding.sh WINE-RUN TEST.exe FOLDER [gtest arguments...]
set -uo pipefail
wine_run=$1 exe=$2 dir=$3
shift 3
rm -rf "$dir" && mkdir -p "$dir" || exit 1
export TESSARON_PNG_CHECK_DIR="Z:${dir//\//\\}"
# If this is the first Wine program since the prefix's server started, the services it brings up would inherit
# our output pipe and hold it open for good: let a program with its handles on /dev/null start them first.
"$wine_run" wineboot </dev/null >/dev/null 2>&1
"$wine_run" "$exe" "$@" || exit 1

checked=0
for png in "$dir"/*.png; do
  [ -e "$png" ] || { echo "no pictures were left to check in $dir"; exit 1; }
  base=${png%.png}
  size=$(identify -format '%wx%h' "$png") || { echo "ImageMagick cannot read $png"; exit 1; }
  [ "$size" = "$(cat "$base.size")" ] || { echo "$png: ImageMagick sees $size, expected $(cat "$base.size")"; exit 1; }
  convert "$png" -depth 8 rgb:- | cmp -s - "$base.rgb" || { echo "$png: decoded pixels differ"; exit 1; }
  checked=$((checked + 1))
done
echo "ImageMagick decoded $checked pictures to the expected pixels"
