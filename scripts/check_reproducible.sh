#!/usr/bin/env bash
# Builds the Windows programs, the Setup program and the Linux program twice,
# from two copies of the source in different folders, and checks that the
# results are byte for byte the same: a published checksum then identifies one commit's build.
set -euo pipefail
cd "$(dirname "$0")/.."

# The packages it needs, on a fresh machine too (a quick no-op when current).
scripts/build.sh >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/sorvelin-reproducible-XXXXXX")
trap 'rm -rf "$work"' EXIT

jobs=$(nproc 2>/dev/null || echo 2)
outputs=(Sorvelin.scr Sorvelin.dll Sorvelin-Setup.exe sorvelin)

build_copy() {
    local copy=$1
    mkdir -p "$copy/source"
    # The tracked files as they stand now, so the check also covers uncommitted work.
    git ls-files -z --cached --others --exclude-standard | tar -c --null -T - | tar -x -C "$copy/source"
    cmake -S "$copy/source" -B "$copy/build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$copy/source/cmake/mingw-w64-x86_64.cmake" \
        -DSORVELIN_DIST_DIR="$copy/dist" >/dev/null
    cmake --build "$copy/build" -j "$jobs" --target setup >/dev/null
    # The Linux program too; its Debian package carries file times, so it is not compared.
    cmake -S "$copy/source" -B "$copy/build-native" -DCMAKE_BUILD_TYPE=Release \
        -DSORVELIN_DIST_DIR="$copy/dist" >/dev/null
    cmake --build "$copy/build-native" -j "$jobs" --target sorvelin >/dev/null
}

build_copy "$work/first"
build_copy "$work/second-copy"

status=0
for name in "${outputs[@]}"; do
    if cmp -s "$work/first/dist/$name" "$work/second-copy/dist/$name"; then
        echo "same: $name $(sha256sum < "$work/first/dist/$name" | cut -d' ' -f1)"
    else
        echo "DIFFERENT: $name"
        cmp -l "$work/first/dist/$name" "$work/second-copy/dist/$name" | head -5 || true
        status=1
    fi
done
exit $status
