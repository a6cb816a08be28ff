#!/usr/bin/env bash
# Checks that the folders of src/ include one another only downwards:
#   app -> printing, editing, install -> album, components, common -> imaging -> platform
# Nothing outside app/ includes app/, platform/ includes nothing above it, and no two folders
# include each other. Prints each offending include and exits 1 when there is one.
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}

rank() {
  case "$1" in
    app) echo 4 ;;
    printing|editing|install) echo 3 ;;
    album|components|common) echo 2 ;;
    imaging) echo 1 ;;
    platform) echo 0 ;;
    *) echo -1 ;;
  esac
}

status=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT

while IFS= read -r -d '' file; do
  rel=${file#"$src"/}
  from=${rel%%/*}
  [ "$from" = "$rel" ] && continue
  from_rank=$(rank "$from")
  while IFS= read -r line; do
    to=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"${line#*:}")
    [ "$to" = "$from" ] && continue
    to_rank=$(rank "$to")
    [ "$to_rank" -lt 0 ] && continue
    if [ "$from_rank" -lt 0 ] || [ "$to_rank" -gt "$from_rank" ]; then
      echo "$rel:${line%%:*}: $from/ includes $to/, which lies above it"
      status=1
    fi
    echo "$from $to $rel" >>"$edges"
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$file" || true)
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)

# Folders of the same level may use each other, but never both ways.
while read -r a b file; do
  back=$(awk -v a="$a" -v b="$b" '$1 == b && $2 == a { print $3; exit }' "$edges")
  if [ -n "$back" ] && [[ "$a" < "$b" ]]; then
    echo "$a/ and $b/ include each other ($file; $back)"
    status=1
  fi
done < <(sort -u -k1,2 "$edges")

exit $status
