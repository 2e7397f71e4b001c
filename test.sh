#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer, runs every test;
# then builds with ThreadSanitizer and runs the suites that drive threads (THREAD_SUITES in
# tests/CMakeLists.txt). Leak detection is off: Qt, Mesa and libmpv keep process-lifetime allocations that
# LeakSanitizer reports as leaks although nothing of ours is lost.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
jobs="${JOBS:-$(nproc)}"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DVISTREL_SANITIZE=ON >/dev/null
cmake --build build-test -j"$jobs"
if command -v clang++ >/dev/null && [ -x fuzz/run.sh ]; then
  fuzz/run.sh 5
fi
# No desktop session bus here: a library that would start one (SDL, through D-Bus) forks a launcher from
# inside its threads, which can hang an ASan process.
export DBUS_SESSION_BUS_ADDRESS="disabled:"
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:detect_odr_violation=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir build-test --output-on-failure -j"$jobs" --timeout 300

# ThreadSanitizer cannot share a build with AddressSanitizer. A report fails its test (exit code 66); the
# suppressions name only libraries built without it.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DVISTREL_SANITIZE=thread >/dev/null
cmake --build build-tsan -j"$jobs" --target vistrel_tests vistrel_real_tests
export TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp:second_deadlock_stack=1"
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir build-tsan --output-on-failure -j"$jobs" --timeout 600
