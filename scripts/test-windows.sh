#!/usr/bin/env bash
# The program for Windows, tested under wine:
#  1. cross-builds the program, kvarnet-calc, the core and window tests, the zip and the
#     installer (scripts/build-windows.sh), against Qt as DLLs with QtTest
#     (scripts/build-qt-windows.sh --with-tests);
#  2. runs the core and window tests under wine64 with the offscreen platform (ctest);
#  3. runs the command line's tests against kvarnet-calc.exe from the zip;
#  4. starts kvarnet.exe from the zip under wine on a virtual display, types a skid length,
#     presses Старт, copies the four results out of their fields as a user would and compares
#     them with kvarnet-calc's for the inputs the window shows, then ends it with Выход;
#  5. installs the installer silently into a wine prefix of its own, checks the files, the
#     Start-menu shortcuts and the uninstaller entry, uninstalls it and checks nothing is left;
#  6. installs it again with its pages on a virtual display and checks that the finish page's
#     "Запустить Кварнет" has the desktop's shell start the program, not the elevated installer.
# A failed build stops it; steps 2 to 6 each run, and it fails if any of them did.
# Usage: scripts/test-windows.sh [build-dir]   (default build-win/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-win}")
jobs=${KVARNET_JOBS:-2}

"$root/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix wine64 nsis imagemagick unzip \
  libgtest-dev xvfb icewm xdotool xclip

qt=$("$root/scripts/build-qt-windows.sh" --with-tests | tail -n 1)
ffmpeg=$("$root/scripts/build-ffmpeg-windows.sh" | tail -n 1)

# Debian's wine64 package keeps its loader out of PATH (the wine package adds the wrapper).
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
new_prefix() { # a wine prefix made once and used again
  mkdir -p "$(dirname "$1")"
  [ -d "$1" ] || WINEPREFIX=$1 "$wine" wineboot --init >/dev/null 2>&1
}
step() { echo "== $*"; }

# Wine passes no QT_ variable to a Windows program: WINE<name> reaches it as <name>. The tests
# find the DLLs of Qt, QtTest, FFmpeg and the C++ runtime on the PATH given them; QtTest writes to the
# console, where ctest reads it, instead of the debugger channel.
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
pthread=$(dirname "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")")
with_test_environment() {
  WINEPREFIX=$build/wine WINEQT_QPA_PLATFORM=offscreen WINEQT_FORCE_STDERR_LOGGING=1 \
    WINEPATH="$(windows_path "$qt/bin");$(windows_path "$ffmpeg/bin");$(windows_path "$runtime");$(windows_path "$pthread")" \
    "$@"
}

# 1. The build; the core tests are listed by running them, under wine.
step "build"
new_prefix "$build/wine"
# -O2 as in the other builds with warnings as errors: GCC 12 warns falsely inside std::string at
# -O3 (Release).
with_test_environment "$root/scripts/build-windows.sh" "$build" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DKVARNET_WERROR=ON \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$wine"
with_test_environment cmake --build "$build" -j"$jobs"

version=$(sed -n 's/^#define KVARNET_VERSION "\(.*\)"$/\1/p' "$build/generated/version.h")
app_id=$(sed -n 's/^#define KVARNET_APP_ID "\(.*\)"$/\1/p' "$build/generated/version.h")
app=$build/unpacked/kvarnet-$version
rm -rf "$build/unpacked"
unzip -q "$build/kvarnet-$version-windows.zip" -d "$build/unpacked"

# 2.
window_and_core_tests() {
  (cd "$build" && with_test_environment ctest --output-on-failure -j"$jobs")
  local status=$?
  WINEPREFIX=$build/wine "$wineserver" -k 2>/dev/null
  return $status
}

# 3. The zip's kvarnet-calc.exe, with only its own folder to find DLLs in. The runner starts it
# through a POSIX shell, so it is built for this machine, with the core it takes the
# coefficient table from.
command_line_tests() {
  local runner=$build/host/cli_test
  mkdir -p "$build/host"
  c++ -std=c++20 -O1 -Wall -Wextra -Werror -I"$root" -I"$build/generated" -o "$runner" \
    "$root/tests/cli/cli_test.cpp" "$root"/core/*.cpp -lgtest -pthread || return 1
  new_prefix "$build/wine-app"
  (cd "$build/host" && WINEPREFIX=$build/wine-app "$runner" "$wine" "$app/kvarnet-calc.exe")
  local status=$?
  WINEPREFIX=$build/wine-app "$wineserver" -k 2>/dev/null
  return $status
}

# 4. The program from the zip on a virtual display with a window manager.
# Where a control of the main window is, in pixels of its client area: the middle of its place
# in the window's layout table, which gives it in twips (15 to a pixel).
middle() {
  local l t w h
  read -r l t w h < <(sed -nE 's/^\{"'"$1"'", *[A-Za-z:]+, *"mainWindow", *"[^"]*", *([0-9]+), *([0-9]+), *([0-9]+), *([0-9]+),.*/\1 \2 \3 \4/p' \
    "$root/windows/main/main_layout.cpp")
  [ -n "$h" ] || { echo "no $1 in the main window's layout" >&2; return 1; }
  echo $(((l + w / 2) / 15)) $(((t + h / 2) / 15))
}
click() {
  local place
  place=$(middle "$1") || return 1
  xdotool mousemove --window "$window" $place click 1
}
# A field's text as the user copies it (click, select all, copy) into $clip, the clipboard as
# last read. The next read waits for the clipboard to change, up to four seconds: the fields
# are read in an order where neighbours differ, so a copy that failed shows as a wrong value.
clip=
copy() {
  local before=$clip
  click "$1" && xdotool key ctrl+a ctrl+c
  for _ in $(seq 20); do
    sleep 0.2
    clip=$(xclip -selection clipboard -o 2>/dev/null)
    [ -n "$clip" ] && [ "$clip" != "$before" ] && return
  done
}
fields() { # the texts of the named fields into $joined, joined by ";"
  local field
  joined=
  for field in "$@"; do
    copy "$field"
    joined+="${joined:+;}$clip"
  done
}
# A virtual display with a window manager for the rest of the subshell it is called in: DISPLAY
# names it, and it ends with the subshell.
virtual_display() {
  local display=93
  while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do
    display=$((display + 1))
  done
  Xvfb :$display -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  # shellcheck disable=SC2064 # this Xvfb's id, now
  trap "kill $!" EXIT
  export DISPLAY=:$display
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.2; done
  icewm >/dev/null 2>&1 &
}
# The main window of the program, once it shows, into $window.
main_window() {
  window=
  for _ in $(seq 120); do
    window=$(xdotool search --onlyvisible --name '^Кварнет $' 2>/dev/null | head -n 1)
    [ -n "$window" ] && return
    sleep 0.5
  done
  return 1
}
program_from_the_zip() {
  (
    virtual_display
    export WINEPREFIX=$build/wine-app
    new_prefix "$WINEPREFIX"
    (cd "$app" && exec "$wine" kvarnet.exe) &
    program=$!
    if ! main_window; then
      echo "FAIL: the main window did not appear"
      kill "$program"
      exit 1
    fi
    # The skid length, typed until the field shows it: keys sent while the window manager is
    # still giving the window the focus are lost.
    for _ in $(seq 5); do
      sleep 1
      click skidOrSpeed && sleep 0.5 && xdotool key ctrl+a && xdotool type --delay 50 20
      copy skidOrSpeed
      [ "$clip" = 20 ] && break
    done
    [ "$clip" = 20 ] || { echo "FAIL: the skid length could not be typed"; kill "$program"; exit 1; }
    click startButton || exit 1
    # The animation runs about three seconds; the last result is written at its end.
    for _ in $(seq 15); do
      copy brakingTimeResult
      [ "$clip" != 20 ] && break
    done
    mkdir -p "$build/shots"
    import -window root "$build/shots/main-results.png"
    fields reactionTime brakeDelay riseTime deceleration skidOrSpeed
    inputs=$joined
    fields speedOrSkidResult speedMsResult stoppingDistanceResult brakingTimeResult
    shown=$joined
    expected=$(printf 'reaction;delay;rise;deceleration;skid\n%s\n' "$inputs" |
      "$wine" "$app/kvarnet-calc.exe" stopping --batch - | tr -d '\r' | sed -n 2p |
      cut -d';' -f7-10)
    echo "inputs $inputs: the window shows $shown, kvarnet-calc gives $expected"
    status=0
    if [ "$inputs" != "0,8;0,2;0,3;6,8;20" ] || [ -z "$expected" ] || [ "$shown" != "$expected" ]
    then
      echo "FAIL: the window's results differ from kvarnet-calc's"
      status=1
    fi
    click exitButton || status=1
    for _ in $(seq 40); do kill -0 "$program" 2>/dev/null || break; sleep 0.5; done
    if kill -0 "$program" 2>/dev/null; then
      echo "FAIL: Выход did not end the program"
      kill "$program"
      status=1
    elif ! wait "$program"; then
      echo "FAIL: the program ended with a failure status"
      status=1
    fi
    "$wineserver" -k 2>/dev/null
    exit $status
  )
}

# 5. The installer, silently, into a prefix of its own; then the uninstaller.
installer() {
  export WINEPREFIX=$build/wine-setup
  rm -rf "$WINEPREFIX"
  new_prefix "$WINEPREFIX"
  "$wineserver" -w
  local drive=$WINEPREFIX/drive_c
  local installed="$drive/Program Files/kvarnet"
  local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\'$app_id
  local failed=0 before
  snapshot() { # every file and folder outside wine's own, less the temporary ones
    (cd "$drive" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | sort)
  }
  value() {
    "$wine" reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
      sed -n "s/^ *$1 *REG_[A-Z]* *//p"
  }
  check() { "$@" || { echo "FAIL: $*"; failed=1; }; }
  before=$(snapshot)
  "$wine" "$build/kvarnet-setup-$version.exe" /S
  "$wineserver" -w
  check diff <(cd "$app" && find . -type f | sort) \
    <(cd "$installed" && find . -type f ! -name uninstall.exe | sort)
  check cmp "$app/kvarnet.exe" "$installed/kvarnet.exe"
  check test -f "$installed/uninstall.exe"
  check test "$(ls "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Кварнет" | wc -l)" = 3
  check test "$(value DisplayVersion)" = "$version"
  check test "$(value UninstallString)" = '"C:\Program Files\kvarnet\uninstall.exe"'
  check test "$(cd "$installed" && "$wine" kvarnet-calc.exe --version | tr -d '\r' |
    grep -c "$version")" -ge 1
  "$wine" 'C:\Program Files\kvarnet\uninstall.exe' /S
  "$wineserver" -w
  check diff <(echo "$before") <(snapshot)
  check test -z "$(value DisplayVersion)"
  "$wineserver" -k 2>/dev/null
  unset WINEPREFIX
  ((failed == 0)) && echo "installed, registered and uninstalled without a trace"
}

# 6. The installer with its pages, on a virtual display, into a prefix of its own: Enter on the
# folder page installs, Enter on the finish page, with "Запустить Кварнет" ticked as it comes,
# ends it. The installer runs with administrator rights; the program must not get them from it,
# so it is the desktop's shell (explorer.exe) that starts it. The program is then ended with
# Выход and uninstalled.
finish_page() {
  (
    virtual_display
    export WINEPREFIX=$build/wine-finish
    fail() { # with what the display showed
      mkdir -p "$build/shots"
      import -window root "$build/shots/finish-page.png"
      echo "FAIL: $* (the display: shots/finish-page.png)"
      "$wineserver" -k 2>/dev/null
      exit 1
    }
    rm -rf "$WINEPREFIX"
    new_prefix "$WINEPREFIX"
    "$wineserver" -w
    "$wine" "$build/kvarnet-setup-$version.exe" &
    local setup=$! installer
    for _ in $(seq 60); do
      installer=$(xdotool search --onlyvisible --name '^Установка Кварнет' 2>/dev/null | head -n 1)
      [ -n "$installer" ] && break
      sleep 0.5
    done
    [ -n "$installer" ] || fail "the installer's window did not appear"
    # Enter presses each page's default button: Установить, then (nothing while the files are
    # copied) Готово. A message box stays, and the installer with it.
    for _ in $(seq 120); do
      kill -0 "$setup" 2>/dev/null || break
      xdotool key --window "$installer" Return 2>/dev/null
      sleep 1
    done
    kill -0 "$setup" 2>/dev/null && fail "the installer did not end"
    main_window || fail "the finish page did not start the program"
    # Who started it, from Windows' list of processes (wmic writes UTF-16).
    local parent
    parent=$("$wine" wmic process get Name,ParentProcessId,ProcessId 2>/dev/null |
      iconv -f UTF-16 -t UTF-8 | tr -d '\r' |
      awk '$1 != "Name" && NF == 3 { name[$3] = $1; parent[$1] = $2 }
           END { print name[parent["kvarnet.exe"]] }')
    echo "the finish page's program was started by ${parent:-a process that has ended}"
    local status=0
    if [ "$parent" != explorer.exe ]; then
      echo "FAIL: the program was not started by the desktop's shell"
      status=1
    fi
    click exitButton || status=1
    for _ in $(seq 40); do
      xdotool search --onlyvisible --name '^Кварнет $' >/dev/null 2>&1 || break
      sleep 0.5
    done
    "$wineserver" -k 2>/dev/null
    "$wine" 'C:\Program Files\kvarnet\uninstall.exe' /S
    "$wineserver" -w
    exit $status
  )
}

failures=()
for check in window_and_core_tests command_line_tests program_from_the_zip installer \
  finish_page; do
  step "$check"
  if "$check"; then echo "== $check: passed"; else failures+=("$check"); fi
done
if ((${#failures[@]})); then
  echo "== failed: ${failures[*]}"
  exit 1
fi
echo "== every Windows check passed"
