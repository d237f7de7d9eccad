#!/usr/bin/env bash
# Runs every ```scenario block of docs/SCENARIOS.md as a scenario of its own.
# Usage: run_doc_examples.sh HOST MODULE   (from the top of the repository)
set -euo pipefail
host=$1
module=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
awk -v dir="$out" '
  /^```scenario$/ { n++; file = sprintf("%s/example%02d.scn", dir, n); inblock = 1; next }
  /^```$/ && inblock { inblock = 0; close(file); next }
  inblock { print > file }
' docs/SCENARIOS.md
count=0
for f in "$out"/*.scn; do
  count=$((count + 1))
  if ! "$host" --module "$module" --quiet "$f" >"$f.log" 2>&1; then
    echo "example $count of docs/SCENARIOS.md failed:"; cat "$f"; cat "$f.log"
    exit 1
  fi
done
[ "$count" -gt 0 ] || { echo "no examples found"; exit 1; }
echo "$count examples of docs/SCENARIOS.md ran"
