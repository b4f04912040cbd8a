#!/usr/bin/env bash
# Fails when the program imports any DLL that is not part of every Windows.
set -u
export LC_ALL=C  # objdump speaks the locale's language otherwise
exe=$1
allowed='^(kernel32|user32|gdi32|shell32|ole32|oleaut32|comdlg32|comctl32|advapi32|shlwapi|uuid|msvcrt)\.dll$'
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || { echo "no import table read from $exe"; exit 1; }
echo "imports: $(echo $dlls)"
bad=$(echo "$dlls" | grep -Ev "$allowed")
if [ -n "$bad" ]; then
  echo "not a system DLL: $bad"
  exit 1
fi
x86_64-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-x86-64' || { echo "not a 64-bit exe"; exit 1; }
x86_64-w64-mingw32-objdump -p "$exe" | grep -q 'Subsystem.*(Windows GUI)' || { echo "not a GUI program"; exit 1; }
echo "ok"
