#!/usr/bin/env bash
# Installs what is missing, builds the player and its demo disc, and starts it: without arguments on
# the demo disc (AUTORUN), otherwise with the arguments given. With --install it installs the player for
# the current user (under ~/.local) instead.
set -euo pipefail
cd "$(dirname "$0")"
if [ "${1:-}" = "--install" ]; then
  # For the current user, without root: the program, its desktop entry and its icon under ~/.local.
  ./scripts/install-deps.sh
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)" --target vistrel
  cmake --install build --prefix "$HOME/.local"
  update-desktop-database -q "$HOME/.local/share/applications" 2>/dev/null || true
  exit 0
fi
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target vistrel demo_media
if [ $# -eq 0 ]; then
  exec build/vistrel AUTORUN
fi
exec build/vistrel "$@"
