#!/usr/bin/env bash
# Installs what Zelvora needs, builds a Release build and starts the program.
# Arguments are passed to the program (for example --demo, or --db PATH).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/instalar-dependencias.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DZELVORA_TESTS=OFF >/dev/null
cmake --build build-release --parallel "$(nproc)"
exec build-release/src/zelvora "$@"
