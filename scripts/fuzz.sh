#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, AddressSanitizer + UndefinedBehaviorSanitizer,
# build/fuzz) and runs each for a bounded time on a copy of its seed corpus in fuzz/corpus/.
#   scripts/fuzz.sh                         every target, 60 seconds each
#   scripts/fuzz.sh 300                     every target, 300 seconds each
#   scripts/fuzz.sh 60 MidiStreamFuzzer     one target
# An input that crashes a target is kept as build/fuzz/findings/<target>/crash-*, and the script
# fails; replay it with build/fuzz/<target> <file>.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true

scripts/setup.sh

build_dir=build/fuzz
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTAVELIN_FUZZ=ON

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in fuzz/*Fuzzer.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

cmake --build "$build_dir" --target "${targets[@]}"

# The processor makes its folders and preferences in the user's home: give it a scratch one.
scratch_home=$(mktemp -d)
trap 'rm -rf "$scratch_home"' EXIT
export HOME="$scratch_home"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

status=0
for target in "${targets[@]}"; do
    corpus="$build_dir/corpus/$target"
    findings="$build_dir/findings/$target"
    mkdir -p "$corpus" "$findings"
    cp -n fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true

    echo "== $target: $seconds s"
    if ! "$build_dir/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" >"$build_dir/$target.log" 2>&1; then
        status=1
        echo "   crashed: see $build_dir/$target.log and $findings/"
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build_dir/$target.log" | sed 's/^/   /' || true
done

exit $status
