#!/usr/bin/env bash
# Sets up and runs the whole test suite: the optimised build and the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in default asan; do
  echo "== $preset build"
  scripts/build.sh "$preset"
  echo "== $preset tests"
  ctest --preset "$preset"
done
