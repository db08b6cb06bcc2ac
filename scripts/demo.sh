#!/usr/bin/env bash
# Builds Vellix and converts the bundled sample text into a compressed
# database and back, then checks the round trip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target vellix-example
out=build/demo
mkdir -p "$out"
build/examples/vellix-example to-pdb examples/sample.txt "$out/sample.pdb"
build/examples/vellix-example to-txt "$out/sample.pdb" "$out/sample.txt"
if cmp -s examples/sample.txt "$out/sample.txt"; then
  echo "Round trip OK: $out/sample.pdb ($(stat -c %s "$out/sample.pdb") bytes) reads back unchanged."
else
  echo "Round trip differs: compare examples/sample.txt and $out/sample.txt" >&2
  exit 1
fi
