#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: a plain build, then a
# build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

JOBS=$(nproc 2>/dev/null || echo 2)
# Most test time is spent waiting on network timers, so run at least four at once.
TEST_JOBS=$(( JOBS > 4 ? JOBS : 4 ))
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/lumivox-ccache}"
# Several checkouts of the tree share one cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR=1
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"

status=0
run_build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS"
  (cd "$dir" && ctest --output-on-failure -j "$TEST_JOBS") || status=1
}

echo "== plain build"
run_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== sanitizer build (address, undefined)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:${LSAN_OPTIONS:-}"
run_build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DLUMIVOX_SANITIZE=ON

exit $status
