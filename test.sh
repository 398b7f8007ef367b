#!/usr/bin/env bash
# Installs what the build needs, builds and runs every test, then runs the
# suite again in an AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
KSM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$KSM_ROOT/tools/setup.sh"

ksm_install_packages
jobs=$(nproc 2>/dev/null || echo 2)

echo "== build and test =="
ksm_build "$KSM_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd "$KSM_ROOT/build" && ctest --output-on-failure --timeout 300 -j "$jobs")

echo "== sanitizer build and test =="
ksm_build "$KSM_ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DKSM_SANITIZE=ON -DKSM_BENCH=OFF
(cd "$KSM_ROOT/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure --timeout 300 -j "$jobs")
