#!/bin/sh
# Builds tests/core32 with COMPILER and runs its table: natively where the
# kernel runs 32-bit programs, else under qemu-i386 (where LeakSanitizer
# cannot run). Exit 77, skipped, without the 32-bit libraries or qemu:
#   apt-get install -y libc6-dev-i386 lib32stdc++-12-dev lib32gcc-12-dev qemu-user
#   run.sh SOURCE WORK COMPILER
set -eu
source=$1 work=$2 compiler=$3
mkdir -p "$work"
printf 'int main() { return 0; }\n' >"$work/probe.cpp"
if ! "$compiler" -m32 -fsanitize=address,undefined "$work/probe.cpp" -o "$work/probe" 2>/dev/null; then
  echo "skipped: no 32-bit C++ libraries (libc6-dev-i386, lib32stdc++-12-dev, lib32gcc-12-dev)"
  exit 77
fi
if "$work/probe" 2>/dev/null; then
  run=
elif command -v qemu-i386 >/dev/null; then
  run=qemu-i386
  export ASAN_OPTIONS=detect_leaks=0
else
  echo "skipped: this kernel runs no 32-bit programs, and qemu-i386 (qemu-user) is missing"
  exit 77
fi
cmake -S "$source/tests/core32" -B "$work" -DCMAKE_CXX_COMPILER="$compiler" -DLOGO_WRAP_SOURCE="$source" >/dev/null
cmake --build "$work" --parallel 2 >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
exec $run "$work/hostile_picture_tests"
