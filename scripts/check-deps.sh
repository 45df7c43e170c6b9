#!/usr/bin/env bash
# Fails, naming the package, when the build or the tests need a Debian package that
# scripts/packages.txt (the list scripts/install-deps.sh installs) does not bring in. What is
# needed is derived from configuring the project the ways the Makefile does, in /tmp/deps-check-*,
# and mapped to packages with dpkg -S; see scripts/check-deps.py.
# Usage: scripts/check-deps.sh [PACKAGE_LIST] [--save-needs FILE] [--needs FILE] [--keep]
set -euo pipefail
if [[ ! -x /usr/bin/python3 ]]; then
  echo "check-deps: /usr/bin/python3 is missing: run scripts/install-deps.sh first" >&2
  exit 1
fi
exec /usr/bin/python3 "$(dirname "$0")/check-deps.py" "$@"
