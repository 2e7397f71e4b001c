#!/usr/bin/env bash
# Builds the fuzz targets of the subtitle readers, the disc description read and the settings reader (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for SECONDS (default 20).
# Exits non-zero when a target crashes.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
out=build-fuzz
mkdir -p "$out"
read -r -a qt <<<"$(pkg-config --cflags --libs Qt6Core uchardet)"
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -DVISTREL_VERSION=\"fuzz\" -Isrc/rules -Ifuzz)
# Every parser lives in the rules layer, which needs nothing but Qt Core and uchardet: built once, linked
# into each target.
objects=()
for source in src/rules/*/*.cpp; do
  object="$out/rules_$(basename "$source" .cpp).o"
  clang++ "${flags[@]/-fsanitize=fuzzer,/-fsanitize=fuzzer-no-link,}" -c "$source" $(pkg-config --cflags Qt6Core uchardet) \
    -o "$object"
  objects+=("$object")
done
for target in microdvd subrip subviewer ass webvtt detect ini settings; do
  bin="$out/fuzz_$target"
  clang++ "${flags[@]}" "fuzz/fuzz_$target.cpp" "${objects[@]}" "${qt[@]}" -o "$bin"
  work="$out/corpus_$target"
  mkdir -p "$work"
  echo "fuzzing $target for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=0 "$bin" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=0 "$work" "fuzz/corpus/$target" 2>"$out/$target.log" || {
    tail -40 "$out/$target.log"
    exit 1
  }
done
