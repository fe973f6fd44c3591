#!/usr/bin/env bash
# Installs what is missing, builds Quillane and starts it; arguments go to Quillane.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencies.sh build
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target quillane -j"$(nproc)"
exec build/src/quillane "$@"
