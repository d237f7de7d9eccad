# Sourced by the PE checks: pe_objdump FILE prints `objdump -p` of a PE32 or
# PE32+ file with the first objdump here that reads it (the x86-64 mingw
# binutils and Debian's own binutils read both; the i686 ones only PE32).
pe_objdump() {
  local tool
  for tool in x86_64-w64-mingw32-objdump i686-w64-mingw32-objdump objdump; do
    command -v "$tool" >/dev/null 2>&1 || continue
    if "$tool" -p "$1" 2>/dev/null; then return 0; fi
  done
  echo "no objdump here reads $1 as a PE file" >&2
  return 1
}
