#!/usr/bin/env bash
# Installs the Debian packages the program needs (scripts/packages.txt) and,
# with --tests, those its tests need too (scripts/packages-test.txt), as
# root or through sudo. Does nothing when they are all there. A package
# named with an architecture (wine32:i386) has that architecture added to
# dpkg first, once.
set -euo pipefail
cd "$(dirname "$0")"
lists=(packages.txt)
[ "${1:-}" = "--tests" ] && lists+=(packages-test.txt)
mapfile -t packages < <(cat "${lists[@]}" | grep -v '^\s*\(#\|$\)')
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_if_needed=()
[ "$(id -u)" -eq 0 ] || sudo_if_needed=(sudo)
for architecture in $(printf '%s\n' "${missing[@]}" | sed -n 's/^[^:]*:\(.*\)$/\1/p' | sort -u); do
  if [ "$architecture" != "$(dpkg --print-architecture)" ] \
    && ! dpkg --print-foreign-architectures | grep -qx "$architecture"; then
    "${sudo_if_needed[@]}" dpkg --add-architecture "$architecture"
  fi
done
"${sudo_if_needed[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_if_needed[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" > /dev/null
