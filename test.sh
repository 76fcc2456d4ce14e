#!/usr/bin/env bash
# Installs what Zelvora needs, builds it with its tests and runs the whole suite through CTest.
# ZELVORA_SANITIZE=1 builds and runs the same suite in build-asan under AddressSanitizer and
# UndefinedBehaviorSanitizer, stopping at the first fault.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/instalar-dependencias.sh
build=build-test
opciones=()
excluir=()
if [ "${ZELVORA_SANITIZE:-0}" = 1 ]; then
  build=build-asan
  opciones=(-DZELVORA_SANITIZE=ON -DZELVORA_BENCH=OFF)
  # The package checks look at what is shipped: the ordinary build's.
  excluir=(-E '^prueba_(instalacion|paquete)$')
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZELVORA_TESTS=ON "${opciones[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" "${excluir[@]}" "$@"
