#!/usr/bin/env bash
# Reads the shortcuts that shell_tests left in FOLDER with lnkinfo, a reader independent of
# the Windows shell, and checks the four fields MakeShortcut sets.
# Usage: check_lnk_with_lnkinfo.sh FOLDER   (the Unix path of shell_tests' shell_links)
set -uo pipefail
export LC_ALL=C.UTF-8
folder=${1:?usage: $0 FOLDER}
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Wine maps drive Z: to the Unix root.
windows_path() {
  local path=${1//\//\\}
  printf 'Z:%s' "$path"
}

# Texts written by shell_shortcut_test.cpp.
target=$(windows_path "$folder/ミモルカ 本体.exe")
arguments='"C:\メモ 帳\買い物 表.txt"'

# The value of one "Name : value" line of lnkinfo's report; empty when the line is missing.
field() {
  sed -n "s/^[[:space:]]*$1[[:space:]]*: //p" <<<"$2" | head -n 1
}

# lnkinfo misreports the show command: read the header's 32-bit little-endian field at
# byte offset 60 directly.
show_command() {
  od -An -tu4 -j60 -N4 "$1" | tr -d ' '
}

for entry in normal:1 minimized:6 maximized:3; do
  link="$folder/${entry%%:*}.lnk"
  expected_show=${entry##*:}
  if [ ! -f "$link" ]; then
    fail "$link is missing"
    continue
  fi
  # Wine stores the local path in the system code page (932); the strings are UTF-16.
  if ! report=$(lnkinfo -c windows-932 "$link" 2>&1); then
    fail "lnkinfo cannot read $link: $report"
    continue
  fi
  [ "$(field 'Local path' "$report")" = "$target" ] ||
    fail "$link: local path '$(field 'Local path' "$report")', expected '$target'"
  [ "$(field 'Command line arguments' "$report")" = "$arguments" ] ||
    fail "$link: arguments '$(field 'Command line arguments' "$report")', expected '$arguments'"
  [ -z "$(field 'Working directory' "$report")" ] ||
    fail "$link: working directory '$(field 'Working directory' "$report")', expected none"
  [ "$(show_command "$link")" = "$expected_show" ] ||
    fail "$link: show command $(show_command "$link"), expected $expected_show"
done

# The Japanese link name reaches the Unix file system as the same name in UTF-8.
[ -f "$folder/表を忘れるな.lnk" ] || fail "no file named 表を忘れるな.lnk in $folder"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "lnkinfo agrees with the shell on every shortcut"
