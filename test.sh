#!/usr/bin/env bash
# Installs what Zelvora needs, builds it with its tests and runs the whole suite through CTest.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/instalar-dependencias.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DZELVORA_TESTS=ON >/dev/null
cmake --build build-test --parallel "$(nproc)"
cd build-test
ctest --output-on-failure --parallel "$(nproc)" "$@"
