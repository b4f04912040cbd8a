#!/usr/bin/env bash
# Reads the shortcuts that commands_tests wrote (copied to FOLDER with expected.tsv: file,
# target, arguments) with two readers independent of the Windows shell, lnkinfo and ExifTool.
# Usage: check_commands_lnk.sh FOLDER
set -uo pipefail
export LC_ALL=C.UTF-8
folder=${1:?usage: $0 FOLDER}
failures=0
checked=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The value of one "Name : value" line of lnkinfo's report.
lnkinfo_field() {
  sed -n "s/^[[:space:]]*$1[[:space:]]*: //p" <<<"$2" | head -n 1
}

# ExifTool gives the code-page strings of a shortcut as they are stored: code page 932.
exif_field() {
  exiftool -s3 "-$1" "$2" | iconv -f CP932 -t UTF-8
}

[ -f "$folder/expected.tsv" ] || { echo "FAIL: no $folder/expected.tsv"; exit 1; }
while IFS=$'\t' read -r name target arguments; do
  link="$folder/$name"
  checked=$((checked + 1))
  report=$(lnkinfo -c windows-932 "$link" 2>&1) || { fail "lnkinfo cannot read $name: $report"; continue; }
  [ "$(lnkinfo_field 'Local path' "$report")" = "$target" ] ||
    fail "$name: lnkinfo local path '$(lnkinfo_field 'Local path' "$report")', expected '$target'"
  [ "$(lnkinfo_field 'Command line arguments' "$report")" = "$arguments" ] ||
    fail "$name: lnkinfo arguments '$(lnkinfo_field 'Command line arguments' "$report")', expected '$arguments'"
  [ -z "$(lnkinfo_field 'Working directory' "$report")" ] || fail "$name: lnkinfo shows a working directory"

  [ "$(exif_field LocalBasePath "$link")" = "$target" ] ||
    fail "$name: ExifTool local base path '$(exif_field LocalBasePath "$link")', expected '$target'"
  [ "$(exiftool -s3 -CommandLineArguments "$link")" = "$arguments" ] ||
    fail "$name: ExifTool arguments '$(exiftool -s3 -CommandLineArguments "$link")', expected '$arguments'"
  [ -z "$(exiftool -s3 -WorkingDirectory "$link")" ] || fail "$name: ExifTool shows a working directory"
  [ "$(exiftool -s3 -RunWindow "$link")" = "Normal" ] ||
    fail "$name: ExifTool run window '$(exiftool -s3 -RunWindow "$link")', expected Normal"
  [ "$(od -An -tu4 -j60 -N4 "$link" | tr -d ' ')" = 1 ] || fail "$name: show command is not 1"
done <"$folder/expected.tsv"

[ "$checked" -gt 0 ] || fail "no shortcut listed in expected.tsv"
if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "lnkinfo and ExifTool agree on all $checked shortcuts"
