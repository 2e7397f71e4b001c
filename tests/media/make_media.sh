#!/usr/bin/env bash
# Generates the test media (or, with --demo, the demo clips) into the given folder.
set -euo pipefail
if [ "${1:-}" = "--demo" ]; then shift; fi
mkdir -p "$1"
