#!/bin/sh
# Configures and builds one build folder: build.sh <folder> [cmake options...]
set -eu
cd "$(dirname "$0")/.."
dir="$1"; shift
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
