#!/usr/bin/env bash
# The module must export exactly its two records, Linkage and ImportTable.
# Usage: check_exports.sh path/to/kadrimos.so|kadrimos.gau|kadrimos.dll
set -euo pipefail
module=$1
case "$module" in
  *.gau|*.dll)
    . "$(dirname "$0")/pe_objdump.sh"
    dump=$(pe_objdump "$module")
    # The names follow the "[Ordinal/Name Pointer] Table" heading, one
    # "[   n] Name" line each, up to the next blank line.
    exports=$(printf '%s\n' "$dump" | awk '
      /\[Ordinal\/Name Pointer\] Table/ { t = 1; next }
      t && /^[[:space:]]*$/ { t = 0 }
      t && /^[[:space:]]*\[/ { print $NF }' | sort)
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
