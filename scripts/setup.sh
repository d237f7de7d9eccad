#!/usr/bin/env bash
# Installs what building and testing kadrimos needs on a Debian machine.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-dev googletest libbenchmark-dev binutils file pkg-config libcairo2-dev libfontconfig-dev fonts-dejavu-core)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq || echo "setup: the package index is incomplete; trying the install anyway"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
