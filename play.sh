#!/usr/bin/env bash
# Builds Tallyfive and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target tallyfive
exec build/bin/tallyfive
