#!/usr/bin/env bash
# Builds and starts a show under Wine: on your X display when there is one,
# else on a virtual 1024 x 768 x 16 display. Saves screenshots under out/
# and ends the show after a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh
exec python3 scripts/show.py "$@"
