#!/usr/bin/env bash
# Checks the registry value reader and its advapi32 backend against a real
# registry: cross-compiles them with a test driver using mingw-w64 and runs
# the driver under Wine in a throw-away prefix.
#
# Usage: run.sh OUTPUT_DIR
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out=${1:?usage: run.sh OUTPUT_DIR}
cxx=x86_64-w64-mingw32-g++
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
limit=300

for tool in "$cxx" "$wine" "$wineserver"; do
    if ! command -v "$tool" >/dev/null; then
        echo "wine leg: $tool is missing (Debian: g++-mingw-w64-x86-64, wine, wine64)"
        exit 1
    fi
done

mkdir -p "$out"
exe="$out/getkeyvalue_wine.exe"
"$cxx" -std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -static \
    -I"$root/src" \
    "$root/src/platform/registry.cpp" \
    "$root/src/platform/windowsregistry.cpp" \
    "$root/src/about/getkeyvalue.cpp" \
    "$root/tests/wine/getkeyvalue_wine.cpp" \
    -ladvapi32 -o "$exe" || { echo "wine leg: cross-compilation failed"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/rubrio-wine.XXXXXX")
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    "$wineserver" -k 2>/dev/null
    "$wineserver" -w 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The first program run creates the prefix, which takes most of the time.
start=$(date +%s)
timeout --kill-after=10 "$limit" "$wine" "$exe" >"$work/stdout" 2>"$work/stderr"
rc=$?
echo "wine leg: driver ran in $(($(date +%s) - start)) s including the new prefix (exit $rc)"
tr -d '\r' <"$work/stdout"
if [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
    echo "wine leg: timed out after $limit s"
    tail -n 20 "$work/stderr"
    exit 1
fi
closing=$(tr -d '\r' <"$work/stdout" | tail -n 1)
if [ "$rc" -ne 0 ] || ! [[ "$closing" =~ ^[1-9][0-9]*\ passed,\ 0\ failed$ ]]; then
    echo "wine leg: failed"
    tail -n 20 "$work/stderr"
    exit 1
fi
