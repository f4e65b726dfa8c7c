#!/usr/bin/env bash
# Builds everything and runs every test, native and under Wine, through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh
ctest --test-dir build/native --output-on-failure "$@"
