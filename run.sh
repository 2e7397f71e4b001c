#!/usr/bin/env bash
# Installs what is missing, builds the player and its demo disc, and starts it: without arguments on
# the demo disc (AUTORUN), otherwise with the arguments given.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target vistrel demo_media
if [ $# -eq 0 ]; then
  exec build/vistrel AUTORUN
fi
exec build/vistrel "$@"
