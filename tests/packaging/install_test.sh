#!/usr/bin/env bash
# make install into a staging folder (DESTDIR): every file of the desktop integration is
# there and well formed, the manifest lists exactly what was written, and the uninstall
# that make uninstall runs removes exactly those files and nothing beside them.
. "$(dirname "$0")/common.sh"

root="$work/root"
install_component /usr "$root"
usr="$root/usr"

# Exactly the expected files, and the manifest names each of them (without DESTDIR).
diff <(expected_files | sort) <(cd "$usr" && find . -type f -o -type l | sed 's|^\./||' | sort) \
  >"$work/tree.diff" || fail "installed files differ from the expected ones: $(cat "$work/tree.diff")"
diff <(expected_files | sed 's|^|/usr/|' | sort) <(sort "$work/manifest.txt") >"$work/manifest.diff" ||
  fail "manifest differs from the installed files: $(cat "$work/manifest.diff")"

program="$usr/bin/qelshot"
[ -x "$program" ] || fail "program not executable"
head -c 4 "$program" | grep -q $'\x7fELF' || fail "program is not an ELF file"

desktop="$usr/share/applications/$id.desktop"
[ "$(desktop_value "$desktop" Exec)" = qelshot ] || fail "desktop entry does not start qelshot"
[ "$(desktop_value "$desktop" Icon)" = "$id" ] || fail "desktop entry names another icon"

for size in 16 22 24 32 48 64 128 256; do
  icon="$usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  format="$(picture_format "$icon")"
  [ "$format" = "PNG $size $size" ] || fail "$icon: $format, expected PNG $size $size"
done
svg="$usr/share/icons/hicolor/scalable/apps/$id.svg"
python3 - "$svg" <<'PY' || fail "$svg is not a square SVG picture"
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
box = root.get("viewBox", "").split()
sys.exit(0 if root.tag.endswith("}svg") and len(box) == 4 and box[2] == box[3] else 1)
PY
grep -q "<id>$id</id>" "$usr/share/metainfo/$id.metainfo.xml" || fail "metainfo names another id"

# Files of other programs beside ours survive the uninstall.
echo other >"$usr/share/applications/other.desktop"
echo other >"$usr/bin/other"
if ! DESTDIR="$root" cmake -DMANIFEST="$work/manifest.txt" -P "$source_dir/packaging/uninstall.cmake" \
  >"$work/uninstall.log" 2>&1; then
  fail "uninstall failed: $(cat "$work/uninstall.log")"
fi
while read -r path; do
  [ ! -e "$root$path" ] || fail "$path is still there after the uninstall"
done <"$work/manifest.txt"
[ -f "$usr/share/applications/other.desktop" ] && [ -f "$usr/bin/other" ] ||
  fail "uninstall removed files it had not installed"
left="$(cd "$root" && find . -type f | sort | tr '\n' ' ')"
[ "$left" = "./usr/bin/other ./usr/share/applications/other.desktop " ] || fail "left behind: $left"
[ ! -e "$usr/lib/qelshot" ] || fail "the program's own folder lib/qelshot is still there"

# A second uninstall finds nothing to do and says so; without a manifest it refuses.
DESTDIR="$root" cmake -DMANIFEST="$work/manifest.txt" -P "$source_dir/packaging/uninstall.cmake" \
  >"$work/again.log" 2>&1 || fail "a second uninstall failed"
grep -q "Already gone" "$work/again.log" || fail "a second uninstall did not report the files gone"
if cmake -DMANIFEST="$work/none.txt" -P "$source_dir/packaging/uninstall.cmake" >/dev/null 2>&1; then
  fail "uninstall without a manifest reported success"
fi

finish
