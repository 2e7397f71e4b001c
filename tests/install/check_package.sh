#!/usr/bin/env bash
# Makes the Debian package from the build in $1 and checks what it holds and says of itself: the
# program, its desktop entry, icon and metainfo under /usr, valid, with the run-time dependencies.
set -euo pipefail
build="$1"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log" >&2; fail "cpack"; }

version="$("$build/vistrel" --version | sed -n 's/^Vistrel //p')"
deb="$out/vistrel_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$out")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vistrel ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version)"
[ "$(field Architecture)" = amd64 ] || fail "architecture $(field Architecture)"
depends="$(field Depends)"
# Computed from the binary: Qt, the C library, uchardet; named by hand: libmpv.
for lib in libmpv2 libc6 libqt6widgets6 libqt6dbus6 libqt6network6 libuchardet0 libxss1; do
  echo "$depends" | tr ',' '\n' | grep -q "^ *$lib\b" || fail "Depends lacks $lib: $depends"
done

files="$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$')"
expected="./usr/bin/vistrel
./usr/share/applications/vistrel.desktop
./usr/share/icons/hicolor/scalable/apps/vistrel.svg
./usr/share/metainfo/org.vistrel.Vistrel.metainfo.xml"
[ "$(echo "$files" | sort)" = "$(echo "$expected" | sort)" ] || fail "files: $files"

root="$out/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/vistrel.desktop" || fail "desktop entry does not validate"
grep -qx 'Exec="/usr/bin/vistrel" %f' "$root/usr/share/applications/vistrel.desktop" || fail "entry does not start /usr/bin/vistrel"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.vistrel.Vistrel.metainfo.xml" >/dev/null ||
  fail "metainfo does not validate: $(appstreamcli validate --no-net "$root/usr/share/metainfo/org.vistrel.Vistrel.metainfo.xml")"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.vistrel.Vistrel.metainfo.xml" || fail "metainfo names another release"
! grep -rq "$build" "$root/usr/share" || fail "the build folder shows through"
echo "package complete: $(basename "$deb"), Depends: $depends"
