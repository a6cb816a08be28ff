#!/usr/bin/env bash
# The folder that `cmake --install` makes is the one the install switch copies: it must hold what
# the program reads beside itself, the guide and the example photos of the editor buttons.
set -euo pipefail
build=$1
cmake=${2:-cmake}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
status=0
for f in lumoria manual/index.html "Fotos Lumoria/Exemplos/Exemplo Olhos Vermelhos.jpg" \
  "Fotos Lumoria/Exemplos/Exemplo Texto.jpg"; do
  if [ ! -f "$prefix/$f" ]; then
    echo "missing from the installed folder: $f"
    status=1
  fi
done
exit $status
