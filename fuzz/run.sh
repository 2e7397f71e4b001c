#!/usr/bin/env bash
# Builds the fuzz targets of every reader of outside input (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs them.
#
#   fuzz/run.sh [SECONDS]                       each target on its seeds, then SECONDS more (default 20);
#                                               stops at the first finding
#   fuzz/run.sh --campaign SECONDS [TARGET...]  each target (or those named) for SECONDS, one at a time,
#                                               with a table of runs, coverage and findings per target
#
# A finding is written to build-fuzz/findings/TARGET/; `build-fuzz/fuzz_TARGET FILE` runs it again.
# Exits non-zero when a target finds anything.
set -euo pipefail
cd "$(dirname "$0")/.."

campaign=0
if [ "${1:-}" = "--campaign" ]; then
  campaign=1
  shift
fi
seconds="${1:-20}"
[ $# -gt 0 ] && shift
all=(microdvd subrip subviewer ass webvtt detect ini settings positions instance cues picture controls)
targets=("${@:-${all[@]}}")

out=build-fuzz
mkdir -p "$out"
cc=(clang++)
command -v ccache >/dev/null && cc=(ccache clang++)
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=address,undefined -fno-sanitize-recover=undefined
       -DVISTREL_VERSION=\"fuzz\" -Isrc/rules -Ifuzz)
read -r -a core <<<"$(pkg-config --cflags --libs Qt6Core uchardet)"
read -r -a gui <<<"$(pkg-config --cflags --libs Qt6Gui)"

# Every reader lives in the rules layer, which needs nothing but Qt Core and uchardet: built once, two
# files at a time, linked into each target.
objects=()
pending=()
for source in src/rules/*/*.cpp; do
  object="$out/rules_$(basename "$source" .cpp).o"
  objects+=("$object")
  "${cc[@]}" "${flags[@]}" -fsanitize=fuzzer-no-link -c "$source" $(pkg-config --cflags Qt6Core uchardet) \
    -o "$object" &
  pending+=($!)
  if [ ${#pending[@]} -ge 2 ]; then
    wait "${pending[0]}"
    pending=("${pending[@]:1}")
  fi
done
for job in "${pending[@]}"; do
  wait "$job"
done

build() {
  local target=$1 libs=("${core[@]}")
  # The picture check is compared with Qt's own decoders.
  [ "$target" = picture ] && libs+=("${gui[@]}")
  "${cc[@]}" "${flags[@]}" -fsanitize=fuzzer "fuzz/fuzz_$target.cpp" "${objects[@]}" "${libs[@]}" -o "$out/fuzz_$target"
}

# Runs one target for $seconds; its log is $out/TARGET.log, its findings in $out/findings/TARGET/.
run() {
  local target=$1
  local work="$out/corpus_$target" findings="$out/findings/$target/"
  rm -rf "$findings"
  mkdir -p "$work" "$findings"
  ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen "$out/fuzz_$target" -max_total_time="$seconds" \
    -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings" \
    "$work" "fuzz/corpus/$target" >"$out/$target.log" 2>&1
}

# runs, coverage (edges), features and corpus size from libFuzzer's last status line and final stats.
summary() {
  local log="$out/$1.log"
  local runs cov ft corp found
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  # A target that fails on a seed never prints a status line.
  cov=$(grep -ao 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)
  ft=$(grep -ao 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)
  corp=$(grep -ao 'corp: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)
  found=$(find "$out/findings/$1" -type f | wc -l)
  printf '%-10s %12s %8s %8s %8s %9s\n' "$1" "${runs:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" "$found"
}

failed=0
rows=()
for target in "${targets[@]}"; do
  build "$target"
  echo "fuzzing $target for ${seconds}s"
  if ! run "$target"; then
    failed=1
    tail -40 "$out/$target.log"
    [ "$campaign" = 1 ] || exit 1
  fi
  rows+=("$target")
done
if [ "$campaign" = 1 ]; then
  printf '%-10s %12s %8s %8s %8s %9s\n' target runs cov features corpus findings
  for target in "${rows[@]}"; do
    summary "$target"
  done
fi
exit "$failed"
