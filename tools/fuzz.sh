#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs each for FUZZ_SECONDS seconds (default 30).
#   tools/fuzz.sh                    short run, as ./test.sh does
#   FUZZ_SECONDS=600 tools/fuzz.sh   long run
# The corpora grow in build-fuzz/corpus/; crashes land in build-fuzz/findings/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${FUZZ_BUILD_DIR:-"$root/build-fuzz"}
seconds=${FUZZ_SECONDS:-30}

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ not found, fuzzing skipped"
    exit 0
fi

cmake -S "$root" --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --target fuzz_input_texts fuzz_picture_bytes -- -j2

mkdir -p "$build/corpus/input_texts" "$build/corpus/picture_bytes" "$build/findings"
# The pictures the program carries seed the decoder's corpus, with small files of the kinds
# they are not (grey, CMYK, progressive, 4:4:4, a tiny BMP) so that a short run reaches
# those paths too.
for picture in "$root"/pages/pictures/* "$root"/fuzz/seeds/picture_bytes/*; do
    [[ -f "$picture" ]] && cp -u "$picture" "$build/corpus/picture_bytes/"
done
# A few readings a user types, unit texts included.
printf '\x01\x00\x00\x00\x00\x00\x00\x00981.1  [hPa]\\20.5   [\xc2\xb0C]\\18.3' \
    >"$build/corpus/input_texts/sample"
printf '\x03\x01\x00\x00\x00\x00\x00\x001500.5\\+Infinity\\0.1e5' \
    >"$build/corpus/input_texts/altitude"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
for target in input_texts picture_bytes; do
    echo "fuzz: $target for ${seconds}s"
    log="$build/findings/$target.log"
    if ! (cd "$build/findings" && "$build/fuzz/fuzz_$target" -max_total_time="$seconds" \
        -rss_limit_mb=2048 -malloc_limit_mb=2048 -print_final_stats=1 \
        "$build/corpus/$target" >"$log" 2>&1); then
        echo "fuzz: $target FOUND A FAULT; see $log and $build/findings/" >&2
        tail -n 60 "$log" >&2
        status=1
    fi
    grep -E '^stat::number_of_executed_units|^Done [0-9]+ runs' "$log" || true
done
exit $status
