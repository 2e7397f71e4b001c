#!/usr/bin/env bash
# Installs the build in $1 under a scratch prefix whose path has a blank in it, and checks the tree: the
# program, a valid desktop entry that starts the installed program, and the icon it names.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)/user home/.local"
trap 'rm -rf "$(dirname "$(dirname "$prefix")")"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAIL: $*" >&2; exit 1; }
entry="$prefix/share/applications/vistrel.desktop"
[ -x "$prefix/bin/vistrel" ] || fail "no program in bin"
[ -f "$entry" ] || fail "no desktop entry"
[ -f "$prefix/share/icons/hicolor/scalable/apps/vistrel.svg" ] || fail "no icon"
desktop-file-validate "$entry" || fail "desktop entry does not validate"
grep -qx "Exec=\"$prefix/bin/vistrel\" %f" "$entry" || fail "entry does not start the installed program: $(grep ^Exec "$entry")"
grep -qx "Icon=vistrel" "$entry" || fail "entry names another icon"
"$prefix/bin/vistrel" --version | grep -q "^Vistrel " || fail "--version"
echo "install tree complete under $prefix"
