#!/usr/bin/env bash
# Installs what is missing, builds the player and starts it; the demo clips lie in build/demo.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target vistrel demo_media
exec build/vistrel "$@"
