#!/usr/bin/env bash
# The layer check passes on a small tree that reads downwards and fails on each kind of forbidden
# include added to it.
set -u
check="$1/scripts/check-layers.sh"
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT

tree() {
  rm -rf "$t/src"
  mkdir -p "$t/src"/{app,printing,editing,album,common,components,imaging,platform/ui}
  echo '#include "printing/p.h"' >"$t/src/app/a.cpp"
  echo '#include "album/m.h"' >"$t/src/printing/p.cpp"
  echo '#include "common/c.h"' >"$t/src/album/m.cpp"
  echo '#include "imaging/i.h"' >"$t/src/common/c.cpp"
  echo '#include "platform/ui/u.h"' >"$t/src/imaging/i.cpp"
  echo '#include <QWidget>' >"$t/src/platform/ui/u.cpp"
}

fails=0
tree
if ! bash "$check" "$t/src" >/dev/null; then
  echo "FAIL: a tree that reads downwards was refused"; fails=1
fi
while IFS='|' read -r file line why; do
  tree
  echo "$line" >>"$t/src/$file"
  if bash "$check" "$t/src" >/dev/null; then
    echo "FAIL: not caught: $why"; fails=1
  fi
done <<'CASES'
album/m.cpp|#include "app/main_window.h"|a model file including the main window
printing/p.cpp|#include "app/main_window.h"|a tool window including the main window
platform/ui/u.cpp|#include "imaging/i.h"|the platform including a layer above it
imaging/i.cpp|#include "common/c.h"|imaging including common
common/c.cpp|#include "album/m.h"|two folders of one level including each other
CASES
# One level's folders may use each other one way.
tree
echo '#include "editing/e.h"' >>"$t/src/printing/p.cpp"
if ! bash "$check" "$t/src" >/dev/null; then
  echo "FAIL: printing/ using editing/ one way was refused"; fails=1
fi
[ $fails -eq 0 ] && echo "layer check: every case as expected"
exit $fails
