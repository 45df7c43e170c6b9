#!/usr/bin/env bash
# Every include in src/ points down the floors: a folder includes its own headers and those of
# the floors below it, never a sibling's or a higher floor's. The libraries' links catch a call
# upwards; this catches what links cannot see (a header-only constant, an inline function).
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"

# Each folder, and the folders it may include besides its own.
declare -A below=(
  [platform]=""
  [model]="platform"
  [extract]="platform model"
  [files]="platform model"
  [testcircuits]="platform model"
  [commands]="platform model extract files testcircuits"
  [verify]="platform model extract files testcircuits commands"
  [refine]="platform model extract files testcircuits commands verify"
  [app]="platform model extract files testcircuits commands verify refine"
  [cli]="platform model extract files testcircuits commands verify refine app"
  [ui]="platform model extract files testcircuits commands verify refine app"
)

status=0
for folder in "$src"/*/; do
  name=$(basename "$folder")
  if [[ ! -v below[$name] ]]; then
    echo "src/$name is on no floor: add it to scripts/check-floors.sh" >&2
    status=1
    continue
  fi
  allowed=" $name ${below[$name]} "
  while IFS=: read -r file line included; do
    target=${included%%/*}
    [[ "$allowed" == *" $target "* ]] && continue
    echo "${file#"$src"/}:$line includes $included, which is not below src/$name" >&2
    status=1
  done < <(grep -Hno '^#include "[a-z_]*/[^"]*"' "$folder"* | sed 's/#include "\(.*\)"/\1/')
done
exit $status
