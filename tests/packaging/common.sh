# Shared by the packaging tests: arguments, a private work folder, failure counting and
# an install of the program's component into a staging folder.
#   <test>.sh <build folder> <source folder> <program id> <version>
set -euo pipefail
build="$(cd "$1" && pwd)"
source_dir="$(cd "$2" && pwd)"
id="$3"
version="$4"
work="$(mktemp -d "${TMPDIR:-/tmp}/qelshot-packaging-XXXXXX")"
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
}

# install_component <prefix> [destdir]: installs what make install and the .deb install,
# and copies its manifest to $work/manifest.txt. The component's manifest is the one the
# tests and CPack write, never the install_manifest.txt that make uninstall reads.
install_component() {
  DESTDIR="${2:-}" cmake --install "$build" --component qelshot --prefix "$1" >"$work/install.log"
  cp "$build/install_manifest_qelshot.txt" "$work/manifest.txt"
}

# The value of a key in a desktop file ("Icon").
desktop_value() {
  sed -n "s/^$2=//p" "$1" | head -n 1
}

# "PNG <width> <height>" of a picture file, decoded whole.
picture_format() {
  convert "$1" -format '%m %w %h' info: 2>/dev/null || echo "undecodable"
}

# Every file the install puts down, relative to the prefix.
expected_files() {
  echo "bin/qelshot"
  echo "lib/qelshot/qelshot-window.so"
  echo "share/applications/$id.desktop"
  echo "share/metainfo/$id.metainfo.xml"
  echo "share/icons/hicolor/scalable/apps/$id.svg"
  for size in 16 22 24 32 48 64 128 256; do
    echo "share/icons/hicolor/${size}x${size}/apps/$id.png"
  done
}
