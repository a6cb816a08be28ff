#!/usr/bin/env bash
# Checks that the folders of src/ include one another only downwards:
#   app -> printing, editing, install -> album, components, common -> imaging -> platform
# Nothing outside app/ includes app/, platform/ includes nothing above it, and no two folders
# include each other. Prints each offending include and exits 1 when there is one.
# One grep over the tree and one awk over its lines, so that it takes well under a second.
set -eu
src=${1:-"$(dirname "$0")/../src"}
cd "$src"

# The status is awk's: grep also ends in failure on a batch of files without an include.

find . -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z |
  xargs -0 -r grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' /dev/null |
  awk '
    function rank(f) {
      if (f == "app") return 4
      if (f == "printing" || f == "editing" || f == "install") return 3
      if (f == "album" || f == "components" || f == "common") return 2
      if (f == "imaging") return 1
      if (f == "platform") return 0
      return -1
    }
    {
      # ./folder/file:line:#include "to/..."
      colon = index($0, ":"); rel = substr($0, 3, colon - 3); rest = substr($0, colon + 1)
      colon = index(rest, ":"); line = substr(rest, 1, colon - 1); text = substr(rest, colon + 1)
      slash = index(rel, "/")
      if (slash == 0) next
      from = substr(rel, 1, slash - 1)
      to = text; sub(/^[[:space:]]*#[[:space:]]*include[[:space:]]*"/, "", to); sub(/\/.*/, "", to)
      if (to == from) next
      if (rank(to) < 0) next
      if (rank(from) < 0 || rank(to) > rank(from)) {
        printf "%s:%s: %s/ includes %s/, which lies above it\n", rel, line, from, to
        status = 1
      }
      # Folders of the same level may use each other, but never both ways.
      if (!((from, to) in edge)) edge[from, to] = rel
    }
    END {
      for (pair in edge) {
        split(pair, ab, SUBSEP)
        if (ab[1] < ab[2] && ((ab[2], ab[1]) in edge)) {
          printf "%s/ and %s/ include each other (%s; %s)\n", ab[1], ab[2], edge[pair], edge[ab[2], ab[1]]
          status = 1
        }
      }
      exit status
    }'
