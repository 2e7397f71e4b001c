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
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -Isrc -Ifuzz)
subtitle_sources=(src/subtitles/SubtitleReaders.cpp src/subtitles/SubtitleText.cpp src/subtitles/SubtitleEncoding.cpp
                  src/platform/basic_numbers.cpp src/text/TextDecoding.cpp)
settings_sources=(src/startup/SettingsFile.cpp src/startup/ProgramFolder.cpp src/platform/basic_numbers.cpp
                  src/text/TextDecoding.cpp)
ini_sources=(src/disc/IniReader.cpp src/disc/QuickIni.cpp src/disc/DiscPaths.cpp src/text/TextDecoding.cpp)
for target in microdvd subrip subviewer detect ini settings; do
  bin="$out/fuzz_$target"
  case "$target" in
    ini) sources=("${ini_sources[@]}") ;;
    settings) sources=("${settings_sources[@]}") ;;
    *) sources=("${subtitle_sources[@]}") ;;
  esac
  clang++ "${flags[@]}" "fuzz/fuzz_$target.cpp" "${sources[@]}" "${qt[@]}" -o "$bin"
  work="$out/corpus_$target"
  mkdir -p "$work"
  echo "fuzzing $target for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=0 "$bin" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=0 "$work" "fuzz/corpus/$target" 2>"$out/$target.log" || {
    tail -40 "$out/$target.log"
    exit 1
  }
done
