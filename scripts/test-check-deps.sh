#!/usr/bin/env bash
# Tests scripts/check-deps.sh itself: the real list passes; a copy of it without a package that
# the build needs fails and names that package; a file from no package fails.
# Usage: scripts/test-check-deps.sh [--needs FILE]
#   --needs FILE: the files CI used, as `check-deps.sh --save-needs FILE -- ...` kept them;
#   without it the test traces a configure of the project.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
list="$here/packages.txt"
work=$(mktemp -d /tmp/deps-check-test-XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "test-check-deps: FAIL: $*" >&2
  failures=$((failures + 1))
}

if [[ "${1:-}" == --needs ]]; then
  needs=${2:?usage: test-check-deps.sh [--needs FILE]}
  bash "$here/check-deps.sh" --needs "$needs" >"$work/full.out" 2>&1 ||
    fail "the real list does not pass: $(cat "$work/full.out")"
else
  needs="$work/needs.txt"
  bash "$here/check-deps.sh" --save-needs "$needs" -- cmake -S "$here/.." -B "$work/build" \
    >"$work/full.out" 2>&1 || fail "the real list does not pass: $(cat "$work/full.out")"
fi
[[ -s "$needs" ]] || { fail "no needs in $needs"; exit 1; }

# Each of these was missing from the list once: Qt6Charts loads Qt6OpenGL's config, Qt6Gui's
# looks for XKB through pkg-config. Without one, the check must fail and name it.
for package in libqt6opengl6-dev libxkbcommon-dev; do
  copy="$work/without-$package.txt"
  grep -vE "^[[:space:]]*$package([[:space:]#]|$)" "$list" >"$copy"
  if (($(wc -l <"$list") - $(wc -l <"$copy") != 1)); then
    fail "$package is not on exactly one line of $list"
    continue
  fi
  if bash "$here/check-deps.sh" --list "$copy" --needs "$needs" >"$work/without.out" 2>&1; then
    fail "the check passes a list without $package"
  elif ! grep -q "MISSING $package:" "$work/without.out"; then
    fail "the check fails without $package but does not name it: $(cat "$work/without.out")"
  fi
done

# A file that no Debian package has, installed by hand where such files go, fails too.
printf '%s\tcmake\n' /usr/local/lib/cmake/FromNoPackage/FromNoPackageConfig.cmake >"$work/orphan.txt"
if bash "$here/check-deps.sh" --needs "$work/orphan.txt" >"$work/orphan.out" 2>&1; then
  fail "the check passes a used file that belongs to no package"
elif ! grep -q "FromNoPackageConfig.cmake.*belongs to no Debian package" "$work/orphan.out"; then
  fail "the check fails on a file from no package but does not say so: $(cat "$work/orphan.out")"
fi

if ((failures > 0)); then
  exit 1
fi
echo "test-check-deps: ok: the real list passes; without libqt6opengl6-dev or libxkbcommon-dev," \
  "or with a file from no package, the check fails and says which"
