#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts Horavel.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DHORAVEL_TESTS=OFF -DHORAVEL_BENCH=OFF
cmake --build build/release --target horavel
exec build/release/bin/horavel "$@"
