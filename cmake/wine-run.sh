#!/bin/sh
# Usage: wine-run.sh PREFIX PROGRAM [ARG...]
# Runs a Windows program under Wine in a throwaway prefix, quietly and
# without installing Mono or Gecko on the first start.
set -e
export WINEPREFIX="$1"
shift
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
