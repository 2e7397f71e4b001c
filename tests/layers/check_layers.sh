#!/usr/bin/env bash
# Each layer compiled with only its own include folders must not find a header of the layer above it,
# while it does find its own: an include that reaches up fails to build.
#   usage: check_layers.sh SOURCE_DIR COMPILER
set -u
src="$1/src"
cxx="$2"
probe=$(mktemp --suffix=.cpp)
trap 'rm -f "$probe"' EXIT
qt=$(pkg-config --cflags Qt6Widgets Qt6DBus)
failed=0
# layer, the folders it may see, a header of its own, a header of the layer above
while IFS='|' read -r layer below own above; do
  incs=""
  for l in $layer $below; do incs="$incs -I$src/$l"; done
  for header in "$own" "$above"; do
    printf '#include "%s"\n' "$header" >"$probe"
    if "$cxx" -std=c++20 -fsyntax-only -fPIC $qt $incs "$probe" 2>/dev/null; then found=yes; else found=no; fi
    want=yes; [ "$header" = "$above" ] && want=no
    if [ "$found" != "$want" ]; then
      echo "FAIL: $layer sees $header: $found (wanted $want)"
      failed=1
    fi
  done
done <<'LAYERS'
rules||numbers/basic_numbers.h|engine/MediaEngine.h
platform|rules|engine/MediaEngine.h|playback/PlayerSession.h
session|platform rules|playback/PlayerSession.h|playback/Panelfrm.h
LAYERS
[ $failed -eq 0 ] && echo "layers: every upward include refused"
exit $failed
