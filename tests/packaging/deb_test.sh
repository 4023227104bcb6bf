#!/usr/bin/env bash
# make package's .deb, looked at without installing it: its control fields, dependencies
# that cover every library the program links plus the plugins and fonts no linker sees,
# exactly the installed files, and the program from the package starting on a display.
. "$(dirname "$0")/common.sh"

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) ||
  { fail "cpack: $(cat "$work/cpack.log")"; finish; }
debs=("$work"/package/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { fail "expected one .deb, got: ${debs[*]}"; finish; }
deb="${debs[0]}"
arch="$(dpkg --print-architecture)"
[ "$(basename "$deb")" = "qelshot_${version}_${arch}.deb" ] || fail "file name $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = qelshot ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends="$(field Depends)"
echo "Depends: $depends"
# Package names alone, one a line.
dependency_names="$(echo "$depends" | tr ',' '\n' | sed 's/(.*)//; s/|.*//; s/ //g' | sort -u)"
depends_on() { grep -qx "$1" <<<"$dependency_names"; }

for package in libqt6widgets6 libqt6gui6 libqt6core6 libqt6network6 libqt6svg6 \
  libjpeg62-turbo libpng16-16 libc6 qt6-qpa-plugins fonts-wqy-microhei fonts-liberation2 \
  fonts-dejavu-core; do
  depends_on "$package" || fail "Depends lacks $package"
done

dpkg-deb -x "$deb" "$work/root"
program="$work/root/usr/bin/qelshot"

# Every library the packaged program and its window module link, as the loader finds it
# here, comes from a package it depends on. dpkg knows a library by the path its package
# put it at, /usr/lib or /lib, which the merged /usr makes the same folder.
module="$work/root/usr/lib/qelshot/qelshot-window.so"
for file in "$program" "$module"; do
  needed="$(readelf -d "$file" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')"
  [ -n "$needed" ] || fail "$file links no shared libraries"
  ldd "$file" >"$work/ldd.txt" || fail "ldd failed on $file"
  for soname in $needed; do
    path="$(awk -v so="$soname" '$1 == so && $2 == "=>" {print $3}' "$work/ldd.txt")"
    [ -n "$path" ] || path="$(awk -v so="$soname" '$1 ~ "/" so "$" {print $1}' "$work/ldd.txt")"
    if [ -z "$path" ] || [ "$path" = "not" ]; then
      fail "$soname is not found by the loader"
      continue
    fi
    owner=""
    for candidate in "$path" "/usr${path#/usr}" "${path#/usr}"; do
      owner="$(dpkg -S "$candidate" 2>/dev/null | sed -n '1s/:.*//p')" && [ -n "$owner" ] && break
    done
    if [ -z "$owner" ]; then
      fail "no installed package provides $soname ($path)"
    elif ! depends_on "$owner"; then
      fail "$soname comes from $owner, which Depends lacks"
    fi
  done
done

# The executable makes the captures into a file itself; the toolkit's graphics and widget
# libraries are the window module's alone (loading them would double a small capture's start).
readelf -d "$program" | grep -E 'NEEDED.*libQt6(Gui|Widgets)' &&
  fail "the program itself links the toolkit's graphics libraries"

# Exactly the files of make install, under /usr, and the program and module stripped of
# their symbols.
diff <(expected_files | sed 's|^|usr/|' | sort) \
  <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort) >"$work/contents.diff" ||
  fail "package contents differ: $(cat "$work/contents.diff")"
for file in "$program" "$module"; do
  file -b "$file" | grep -q ', stripped' || fail "$file is not stripped: $(file -b "$file")"
done

# The packaged program starts on a virtual display, shows its main window and ends cleanly
# on SIGTERM, writing its settings on the way out. It runs from a private folder with a
# private home, so nothing of the user's is read or written.
run_dir="$work/run"
mkdir -p "$run_dir/home"
cp "$program" "$module" "$run_dir/"
if ! HOME="$run_dir/home" XDG_CONFIG_HOME="$run_dir/home/.config" \
  "$source_dir/scripts/run-virtual" bash -c '
  cd "$1" || exit 1
  ./qelshot >stdout.log 2>stderr.log &
  pid=$!
  shown=no
  for _ in $(seq 1 150); do
    if xdotool search --onlyvisible --name "QEL屏幕截图助手" >/dev/null 2>&1; then shown=yes; break; fi
    sleep 0.1
  done
  kill -TERM $pid; wait $pid; status=$?
  echo "shown=$shown status=$status" >"$1/result"
' _ "$run_dir" >"$work/run.log" 2>&1; then
  fail "could not run the program on a virtual display: $(cat "$work/run.log")"
fi
[ "$(cat "$run_dir/result" 2>/dev/null)" = "shown=yes status=0" ] ||
  fail "packaged program: $(cat "$run_dir/result" 2>/dev/null); stderr: $(cat "$run_dir/stderr.log" 2>/dev/null)"
[ -f "$run_dir/defualt.ini" ] || fail "packaged program wrote no settings on exit"

# Installed where its user cannot write (the extracted package, read-only), the program
# started by an ordinary user keeps its settings in the user's configuration folder and
# saves into the user's pictures folder. Root can write anywhere, so the program runs as a
# user id of its own with a home folder of its own.
user_id=4242
installed="$work/installed"
user_home="$work/user"
pictures="$user_home/图片"
config="$user_home/.config/$id"
cp -a "$work/root" "$installed"
chmod -R a-w "$installed"
chmod 755 "$work"
mkdir -p "$pictures" "$user_home/.config" "$user_home/runtime"
chmod 700 "$user_home/runtime"
printf 'XDG_PICTURES_DIR="$HOME/图片"\n' >"$user_home/.config/user-dirs.dirs"
chown -R "$user_id:$user_id" "$user_home"
if ! "$source_dir/scripts/run-virtual" bash -c '
  program="$1/usr/bin/qelshot"
  # setpriv and env each run the next program in their own process, so the program has
  # the process id the shell sees.
  as_user() {
    local home="$1"; shift
    exec setpriv --reuid='"$user_id"' --regid='"$user_id"' --clear-groups \
      env -i DISPLAY="$DISPLAY" HOME="$home" XDG_RUNTIME_DIR="$home/runtime" \
      PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"
  }
  out="$2/out"
  mkdir -p "$out"
  (as_user "$2" "$program" --capture screen) >"$out/capture1.stdout" 2>"$out/capture1.stderr"
  echo $? >"$out/capture1.status"
  # The window: shown, then ended as a logout ends it; its settings are written then.
  window_run() {
    as_user "$2" "$program" >"$out/window$1.stdout" 2>"$out/window$1.stderr" &
    local pid=$! shown=no
    for _ in $(seq 1 150); do
      if xdotool search --onlyvisible --name "QEL屏幕截图助手" >/dev/null 2>&1; then shown=yes; break; fi
      sleep 0.1
    done
    kill -TERM $pid; wait $pid
    echo "shown=$shown status=$?" >"$out/window$1.result"
  }
  window_run 1 "$2"
  # The user names a prefix in the settings file between two runs.
  sed -i "s/^AutoSavePre=.*/AutoSavePre=mine/" "$3/defualt.ini"
  window_run 2 "$2"
  (as_user "$2" "$program" --capture screen) >"$out/capture2.stdout" 2>"$out/capture2.stderr"
  echo $? >"$out/capture2.status"
' _ "$installed" "$user_home" "$config" >"$work/user-run.log" 2>&1; then
  fail "could not run the installed program as a user: $(cat "$work/user-run.log")"
fi
out="$user_home/out"
[ "$(cat "$out/capture1.status" 2>/dev/null)" = 0 ] ||
  fail "installed capture as a user: $(cat "$out/capture1.stderr" 2>/dev/null)"
saved="$(cat "$out/capture1.stdout" 2>/dev/null)"
case "$saved" in
"$pictures"/*) [ -s "$saved" ] || fail "installed capture $saved is missing" ;;
*) fail "installed capture went to '$saved', not into $pictures" ;;
esac
[ "$(stat -c %u "$saved" 2>/dev/null)" = "$user_id" ] || fail "$saved is not the user's"
for run in 1 2; do
  [ "$(cat "$out/window$run.result" 2>/dev/null)" = "shown=yes status=0" ] ||
    fail "installed window, run $run: $(cat "$out/window$run.result" 2>/dev/null); stderr: $(cat "$out/window$run.stderr" 2>/dev/null)"
done
[ -f "$config/defualt.ini" ] || fail "no settings in $config after the window's exit"
grep -qx "PicPath=$pictures/" "$config/defualt.ini" ||
  fail "the first start did not take the pictures folder: $(grep PicPath "$config/defualt.ini")"
# The second run read the file back: otherwise it would have written its own empty prefix.
grep -qx "AutoSavePre=mine" "$config/defualt.ini" ||
  fail "the settings were not read back: $(grep AutoSavePre "$config/defualt.ini")"
case "$(cat "$out/capture2.stdout" 2>/dev/null)" in
"$pictures"/mine*) ;;
*) fail "the command line did not read the user's settings: $(cat "$out/capture2.stdout" "$out/capture2.stderr" 2>/dev/null)" ;;
esac
[ -z "$(find "$installed" -newer "$deb" -type f 2>/dev/null)" ] || fail "something was written into the installed tree"

echo "size: $(stat -c %s "$deb") bytes"
finish
