#!/usr/bin/env bash
# The module must export exactly its two records, Linkage and ImportTable.
# Usage: check_exports.sh path/to/kadrimos.so|kadrimos.gau
set -euo pipefail
module=$1
case "$module" in
  *.gau|*.dll)
    dump=$(i686-w64-mingw32-objdump -p "$module")
    exports=$(printf '%s\n' "$dump" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^\s*\[/{print $NF} t&&/^$/{t=0}' | sort)
    ;;
  *)
    exports=$(nm -D --defined-only "$module" | awk '{print $NF}' | grep -v -E '^(_init|_fini|_edata|_end|__bss_start|__odr_asan\..*)$' | sort)
    ;;
esac
expected=$(printf 'ImportTable\nLinkage\n')
if [ "$exports" != "$expected" ]; then
  echo "exported symbols of $module differ from Linkage and ImportTable:" >&2
  printf '%s\n' "$exports" >&2
  exit 1
fi
echo "$module exports exactly: $(echo $exports)"
