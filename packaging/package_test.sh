#!/usr/bin/env bash
# The Debian package builds, unpacks into a clean folder with dpkg -x, and the
# program unpacked there renders the demo, seeding its data folder from the
# package's share folder: packaging/package_test.sh BUILD_DIR
# Exit code 77 (a skip for ctest) when dpkg-deb or cpack is missing.
set -euo pipefail
build=$(cd "$1" && pwd)
for tool in dpkg dpkg-deb cpack; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log"
  exit 1
}
deb=$(ls "$work"/out/lumiglow_*.deb)
dpkg-deb -f "$deb" Depends | grep -q libieee1284-3
dpkg -x "$deb" "$work/root"

program="$work/root/usr/bin/lumiglow"
for f in usr/share/lumiglow/effect.sdu usr/share/lumiglow/English.lng \
  usr/share/applications/lumiglow.desktop usr/share/man/man1/lumiglow.1.gz \
  usr/lib/udev/rules.d/70-lumiglow.rules usr/share/icons/hicolor/64x64/apps/lumiglow.png; do
  [ -f "$work/root/$f" ] || { echo "missing from the package: $f"; exit 1; }
done
grep -q '^Exec=lumiglow --user-data-dir$' "$work/root/usr/share/applications/lumiglow.desktop"

# The installed program, started as the menu entry starts it, from an empty home.
mkdir -p "$work/home"
(cd "$work" && env -u XDG_DATA_HOME HOME="$work/home" "$program" --user-data-dir --headless \
  --input demo --offline --cycles 40 --trace "$work/installed.csv" >/dev/null)
data="$work/home/.local/share/lumiglow"
for f in effect.sdu English.lng English_spravka.rtf _spravka.rtf; do
  cmp "$work/root/usr/share/lumiglow/$f" "$data/$f"
done
[ "$(wc -l <"$work/installed.csv")" -eq 41 ] || { echo "expected 40 trace rows"; exit 1; }

# A user's edited file stays; the program in the build tree renders the same trace.
echo "edited" >"$data/English.lng"
(cd "$work" && "$program" --headless --input demo --offline --cycles 40 --data-dir "$data" \
  >/dev/null)
[ "$(cat "$data/English.lng")" = edited ]
mkdir -p "$work/plain"
(cd "$work" && "$build/src/lumiglow" --headless --input demo --offline --cycles 40 \
  --data-dir "$work/plain" --trace "$work/built.csv" >/dev/null 2>&1)
cut -d, -f1,3- "$work/installed.csv" >"$work/a"
cut -d, -f1,3- "$work/built.csv" >"$work/b"
cmp "$work/a" "$work/b"
echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes, installed program ran"
