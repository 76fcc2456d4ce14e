#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer) in
# build-fuzz and runs each for SECONDS seconds (60 unless told), over its checked-in seeds, as
# many at a time as there are cores. New inputs found go to build-fuzz/corpus/<name>, crashes to
# build-fuzz/hallazgos/. Exits non-zero when any target fails.
#   scripts/fuzz.sh [SECONDS] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
SEGUNDOS="${1:-60}"
shift || true
RAIZ="$PWD"
B="$RAIZ/build-fuzz"
CXX_FUZZ="${CXX_FUZZ:-clang++-14}"
lanzador=()
command -v ccache >/dev/null && lanzador=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$B" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$CXX_FUZZ" "${lanzador[@]}" \
  -DZELVORA_FUZZ=ON -DZELVORA_TESTS=OFF -DZELVORA_BENCH=OFF >/dev/null
cmake --build "$B" --target zelvora_fuzz_todos --parallel "$(nproc)"

if [ "$#" -gt 0 ]; then objetivos=("$@"); else mapfile -t objetivos <"$B/fuzz/objetivos.txt"; fi
rm -rf "$B/registros"
mkdir -p "$B/hallazgos" "$B/registros"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

correr() {
  local n="$1"
  local semillas="$RAIZ/fuzz/corpus/$n" trabajo="$B/corpus/$n"
  mkdir -p "$semillas" "$trabajo"
  local args=(-max_total_time="$SEGUNDOS" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
    -artifact_prefix="$B/hallazgos/$n-")
  [ -f "$RAIZ/fuzz/$n.dict" ] && args+=(-dict="$RAIZ/fuzz/$n.dict")
  if "$B/fuzz/fuzz_$n" "${args[@]}" "$trabajo" "$semillas" >"$B/registros/$n.txt" 2>&1; then
    echo "fuzz_$n: sin fallos en ${SEGUNDOS} s ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$B/registros/$n.txt" | grep -o '[0-9]*$') entradas)"
  else
    echo "fuzz_$n: FALLO (registro en $B/registros/$n.txt)"
    tail -n 60 "$B/registros/$n.txt"
    touch "$B/registros/$n.fallo"
  fi
}
export -f correr
export B RAIZ SEGUNDOS

printf '%s\n' "${objetivos[@]}" | xargs -P "$(nproc)" -I{} bash -c 'correr "$@"' _ {}
total="${#objetivos[@]}"
malos=$(find "$B/registros" -name '*.fallo' | wc -l)
echo "fuzzing: $((total - malos)) passed, $malos failed"
[ "$malos" -eq 0 ]
