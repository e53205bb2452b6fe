#!/usr/bin/env bash
# Installs what is missing, builds and starts Velmora (extra arguments go to the program).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec ./build/velmora "$@"
