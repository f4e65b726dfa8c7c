#!/usr/bin/env bash
# Builds the native tests with AddressSanitizer and UndefinedBehaviorSanitizer
# (build/sanitize) and runs them; any report fails the run. Run after
# scripts/build.sh, which installs what this needs.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
# Its programs stay in the build folder: dist/ holds the product's.
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVELIN_SANITIZE=ON \
    -DSORVELIN_DIST_DIR="$PWD/build/sanitize/dist" >/dev/null
cmake --build build/sanitize -j "$jobs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/native/leaks.supp:print_suppressions=0"
ctest --test-dir build/sanitize -L native --output-on-failure "$@"
