#!/usr/bin/env bash
# The Windows module may import only from DLLs every Windows installation
# has: the C++ runtime, libgcc and winpthread are linked in statically, so a
# simulator folder needs kadrimos.gau and nothing else.
# Usage: check_imports.sh path/to/kadrimos.gau|kadrimos.dll
set -euo pipefail
module=$1
. "$(dirname "$0")/pe_objdump.sh"
dump=$(pe_objdump "$module")

# System DLLs the module may use (compared without regard to case), and the
# API sets api-ms-win-*.dll, which are Windows' own.
allowed=(
  kernel32.dll
  user32.dll
  gdi32.dll
  advapi32.dll
  msvcrt.dll
  ucrtbase.dll
  winmm.dll
  dsound.dll
  ole32.dll
  shell32.dll
)

imports=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr -d '\r' | sort -u)
if [ -z "$imports" ]; then
  echo "$module: no \"DLL Name:\" lines in objdump -p; is it a PE file?" >&2
  exit 1
fi

bad=()
while IFS= read -r dll; do
  lower=$(printf '%s' "$dll" | tr '[:upper:]' '[:lower:]')
  ok=no
  case "$lower" in
    api-ms-win-*.dll) ok=yes ;;
    libstdc++*|libgcc*|libwinpthread*) ok=no ;;
    *) for a in "${allowed[@]}"; do [ "$lower" = "$a" ] && ok=yes; done ;;
  esac
  [ "$ok" = yes ] || bad+=("$dll")
done <<<"$imports"

if [ ${#bad[@]} -gt 0 ]; then
  echo "$module imports DLLs that are not Windows system DLLs: ${bad[*]}" >&2
  echo "all imports: $(echo $imports)" >&2
  exit 1
fi
echo "$module imports only system DLLs: $(echo $imports)"
