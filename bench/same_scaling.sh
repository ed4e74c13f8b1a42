#!/usr/bin/env bash
# Scaling must give the same bytes in every build: the programs (gcc,
# clang, MinGW-w64 under Wine) and the page (emscripten, wasm32, under
# node). Builds scale_digest each way, with the flags the builds use, and
# compares the digests it prints. Exits 1 on any difference.
#
#   bench/same_scaling.sh
#
# Uses g++, clang++, x86_64-w64-mingw32-g++ with wine, em++ with node
# (Debian's emscripten; NODE_PATH=/usr/share/nodejs where node is not
# Debian's); a compiler that is missing is skipped, and said so.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/include" && ln -s /usr/include/stb "$work/include/stb"
sources=(bench/scale_digest.cpp src/core/picture_scale.cpp src/core/picture_decode.cpp src/core/picture_file.cpp
  src/core/stb_libraries.cpp src/core/panel_size.cpp)
flags=(-std=c++17 -Wall -Wextra -Isrc -isystem "$work/include" -DSTBI_NO_STDIO)
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

# name, then how to run what it built, then the compiler and its flags.
build() {
  local name=$1 run=$2 compiler=$3
  shift 3
  if ! command -v "$compiler" >/dev/null; then echo "skipped: $name ($compiler is missing)"; return; fi
  "$compiler" "${flags[@]}" "$@" "${sources[@]}" -o "$work/$name" 2>"$work/$name.log" || { cat "$work/$name.log"; exit 1; }
  $run "$work/$name" >"$work/$name.txt"
  echo "built: $name"
}
native() { "$1"; }
wine_run() { WINEDEBUG=-all WINEPREFIX="$work/wineprefix" wine "$1" 2>/dev/null | tr -d '\r'; }
node_run() { node --no-experimental-fetch "$1"; }

build gcc native g++ -O2 -ffp-contract=off
build gcc-haswell native g++ -O3 -march=haswell -ffp-contract=off
build clang native clang++ -O2 -ffp-contract=off
build clang-haswell native clang++ -O3 -march=haswell -ffp-contract=off
build mingw.exe wine_run x86_64-w64-mingw32-g++ -O2 -ffp-contract=off -static
build wasm-O2.js node_run em++ -O2 -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1
build wasm-O3.js node_run em++ -O3 -ffp-contract=off -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1

status=0
cat "$work/gcc.txt"
for digest in "$work"/*.txt; do
  if cmp -s "$digest" "$work/gcc.txt"; then echo "same as gcc: $(basename "$digest" .txt)"
  else echo "DIFFERENT from gcc: $(basename "$digest" .txt)"; diff "$work/gcc.txt" "$digest" || true; status=1; fi
done
exit $status
