#!/usr/bin/env bash
# Installs the library into a scratch prefix, then builds and runs a program
# against it twice: found as a CMake package, and through pkg-config.
set -euo pipefail
build=$1
source_dir=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
libdir=$(dirname "$(find "$scratch/prefix" -name 'libvellix.so' | head -n 1)")

cmake -S "$source_dir/consumer" -B "$scratch/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$scratch/prefix" >/dev/null
cmake --build "$scratch/cmake" >/dev/null
LD_LIBRARY_PATH="$libdir" "$scratch/cmake/consumer"

sed -i "s|^prefix=.*|prefix=$scratch/prefix|" "$libdir/pkgconfig/vellix.pc"
PKG_CONFIG_PATH="$libdir/pkgconfig" c++ -std=c++20 "$source_dir/consumer/consumer.cpp" -o "$scratch/pkgconfig-consumer" \
  $(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs vellix)
LD_LIBRARY_PATH="$libdir" "$scratch/pkgconfig-consumer"
echo "installed library found and used through CMake and pkg-config"
