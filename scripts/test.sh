#!/usr/bin/env bash
# Builds everything and runs the whole test suite.
#   scripts/test.sh                         plain build (build/test)
#   scripts/test.sh --sanitize address,undefined   sanitizer build, clang (build/sanitize-address-undefined)
#   scripts/test.sh --sanitize thread              ThreadSanitizer build (build/tsan)
set -euo pipefail
cd "$(dirname "$0")/.."

sanitizers=""
if [ "${1:-}" = "--sanitize" ]; then
    sanitizers="${2:?--sanitize needs a list, e.g. address,undefined}"
    shift 2
fi

scripts/setup.sh

# The AddressSanitizer + UndefinedBehaviorSanitizer build uses clang, as scripts/fuzz.sh does, so
# that code only clang refuses (or clang's own undefined-behaviour checks) stops this build too.
compilers=()
case "$sanitizers" in
    "") build_dir=build/test ;;
    thread) build_dir=build/tsan ;;
    *)
        build_dir=build/sanitize-${sanitizers//,/-}
        compilers=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
        ;;
esac

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVELIN_SANITIZERS="$sanitizers" "${compilers[@]}"
cmake --build "$build_dir"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# The crash handler writes its log from inside the signal handler on purpose.
export TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1:report_signal_unsafe=0}"

ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" "$@"
