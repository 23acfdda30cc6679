#!/usr/bin/env bash
# Builds everything and runs every test suite, from a fresh clone:
#   1. installs the packages that are missing (Debian), and checks that the
#      sources are formatted (scripts/check-format.sh),
#   2. build/ (warnings are errors in every build here): native core, unit tests, tools, benchmarks (built, not run), and
#      the cross-compiled Windows build whose unit and end-to-end suites run
#      under Wine and Xvfb,
#   3. the Windows package (scripts/package.sh: build-package/ and dist/),
#      whose DLL must be byte for byte the one the Wine suites tested,
#   4. build-asan/: the native unit tests again under AddressSanitizer and
#      UndefinedBehaviorSanitizer,
#   5. short smoke runs of the fuzzers,
#   6. static analysis of the product's sources (scripts/static-analysis.sh:
#      clang-tidy and cppcheck, both backends),
#   7. prints where the time went.
# A build/win32/ that scripts/demo.sh made is reused: only what it lacks is
# built.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/lib/stage-timer.sh
source scripts/lib/stage-timer.sh

stage_begin "installs"
bash scripts/install-deps.sh

jobs="${QXQY_JOBS:-2}"
# The browser checks of the results site run here, never skipped: the
# installs above bring Chromium.
export QXQY_REQUIRE_BROWSER=1

stage_begin "source format"
echo "== source format"
bash scripts/check-format.sh

stage_begin "build"
echo "== native and Windows build, all suites"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQXQY_WIN32_BUILD=ON -DQXQY_TESTS=ON \
      -DQXQY_WERROR=ON
cmake --build build -j"$jobs"
stage_begin "suites (Wine too)"
ctest --test-dir build --output-on-failure

stage_begin "package"
echo "== the Windows package"
bash scripts/package.sh
if ! cmp build/win32/Plugin/QXQYDXContest.dll build-package/Plugin/QXQYDXContest.dll; then
  echo "test: the packaged DLL is not the DLL the Wine suites tested" >&2
  exit 1
fi

stage_begin "sanitizers"
echo "== native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQXQY_SANITIZE=ON -DQXQY_WERROR=ON \
      -DQXQY_WIN32_BUILD=OFF -DQXQY_BENCHMARKS=OFF
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure

if [ -x scripts/fuzz-smoke.sh ]; then
  stage_begin "fuzzer smoke"
  echo "== fuzzer smoke runs"
  bash scripts/fuzz-smoke.sh
fi

stage_begin "static analysis"
echo "== static analysis"
bash scripts/static-analysis.sh

echo "== all tests passed"
stage_report
