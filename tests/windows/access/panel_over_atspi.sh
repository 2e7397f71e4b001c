#!/usr/bin/env bash
# The panel as a screen reader reads it: over the accessibility bus (AT-SPI) of a private session bus,
# the way Orca reads it. Skipped, with a message, where the machine has no accessibility bus.
# Usage: panel_over_atspi.sh PATH/TO/vistrel MOVIE (the test clip of 10 s)
set -euo pipefail
python=/usr/bin/python3  # pyatspi belongs to the system's python
launcher=/usr/libexec/at-spi-bus-launcher
if [ ! -x "$launcher" ] || ! "$python" -c 'import gi; gi.require_version("Atspi", "2.0"); import pyatspi' 2>/dev/null; then
  echo "SKIPPED: no accessibility bus on this machine (at-spi2-core, python3-pyatspi and gir1.2-atspi-2.0)"
  exit 77
fi
if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null; then
  echo "SKIPPED: needs an X display and xdotool"
  exit 77
fi
exec dbus-run-session -- "$python" "$(dirname "$0")/panel_over_atspi.py" "$launcher" "$1" "$2"
