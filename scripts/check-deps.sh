#!/usr/bin/env bash
# Fails, naming the package, when a command (CI's builds and tests) uses a file from a Debian
# package that scripts/packages.txt does not bring in; see scripts/check-deps.py.
# Usage: scripts/check-deps.sh [--list FILE] --save-needs FILE -- COMMAND...
#        scripts/check-deps.sh [--list FILE] --needs FILE
set -euo pipefail
for program in /usr/bin/python3 strace; do
  if ! command -v "$program" >/dev/null; then
    echo "check-deps: $program is missing: run scripts/install-deps.sh first" >&2
    exit 1
  fi
done
exec /usr/bin/python3 "$(dirname "$0")/check-deps.py" "$@"
