#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and run the tool, only those missing.
# Usage: scripts/install-deps.sh [PACKAGE_LIST]   (default: scripts/packages.txt)
# Works as root, and through sudo otherwise.
set -euo pipefail

# The list lives in scripts/packages.txt (one package a line, `#` comments), which
# scripts/check-deps.sh checks against what the build and the tests really load.
list=${1:-$(dirname "$0")/packages.txt}
packages=()
while read -r line; do
  read -ra words <<<"${line%%#*}"
  packages+=("${words[@]}")
done <"$list"

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

ensure_test_locale() {
  # The number tests run once under a comma-decimal locale to prove the text never follows it.
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  "${as_root[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen >/dev/null
}

if [[ $(id -u) -eq 0 ]]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
elif ((${#missing[@]} > 0)); then
  echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi

if ((${#missing[@]} > 0)); then
  echo "Installing missing packages: ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
ensure_test_locale
