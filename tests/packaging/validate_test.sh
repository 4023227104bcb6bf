#!/usr/bin/env bash
# The desktop entry and the AppStream metadata of an install under a prefix pass the
# desktop's own validators, and say what the menu and the software centres show.
. "$(dirname "$0")/common.sh"

prefix="$work/usr"
install_component "$prefix"
desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"

# desktop-file-validate exits 0 on warnings too: only hints may be left. Its one hint is
# that Graphics and Utility are both main categories, as wanted.
if ! desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1; then
  fail "desktop-file-validate: $(cat "$work/desktop.log")"
fi
if grep -v ': hint: ' "$work/desktop.log" | grep -q .; then
  fail "desktop-file-validate: $(cat "$work/desktop.log")"
fi
appstreamcli validate --no-net --strict "$metainfo" >"$work/metainfo.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$work/metainfo.log")"
# The tree as a whole: the metainfo's launchable desktop entry and its icon are installed.
appstreamcli validate-tree --no-net --strict "$prefix" >"$work/tree.log" 2>&1 ||
  fail "appstreamcli validate-tree: $(cat "$work/tree.log")"

[ "$(desktop_value "$desktop" Name)" = "QEL屏幕截图助手" ] || fail "desktop entry: Name"
[ -n "$(desktop_value "$desktop" GenericName)" ] || fail "desktop entry: no GenericName"
categories="$(desktop_value "$desktop" Categories)"
case ";$categories" in *";Graphics;"*) ;; *) fail "desktop entry: not in Graphics: $categories" ;; esac
case ";$categories" in *";Utility;"*) ;; *) fail "desktop entry: not in Utility: $categories" ;; esac

python3 - "$metainfo" "$id" "$version" <<'PY' >"$work/content.log" 2>&1 || fail "metainfo: $(cat "$work/content.log")"
import sys, xml.etree.ElementTree as ET
path, app_id, version = sys.argv[1:]
root = ET.parse(path).getroot()
problems = []
if root.findtext("id") != app_id:
    problems.append("id is %r" % root.findtext("id"))
if root.findtext("launchable[@type='desktop-id']") != app_id + ".desktop":
    problems.append("launchable does not name the desktop entry")
if root.findtext("provides/binary") != "qelshot":
    problems.append("does not provide the qelshot binary")
if root.findtext("name") != "QEL屏幕截图助手":
    problems.append("name is %r" % root.findtext("name"))
captions = [c.text for c in root.iterfind("screenshots/screenshot/caption") if c.text]
if not captions:
    problems.append("no screenshot caption")
if not root.findtext("screenshots/screenshot/image", "").startswith("https://"):
    problems.append("screenshot has no https address")
releases = [r.get("version") for r in root.iterfind("releases/release")]
if not releases or releases[0] != version:
    problems.append("newest release is %r, not %s" % (releases[:1], version))
print("; ".join(problems))
sys.exit(1 if problems else 0)
PY

finish
