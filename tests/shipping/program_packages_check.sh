#!/usr/bin/env bash
# Checks that the packages of tools/debian-packages.txt (what ./run.sh installs) are enough
# to configure and build the program: every file the configure without tests finds, and
# every header the program's objects were compiled against, must belong to one of those
# packages or to what they depend on. Prints each file that does not and exits 1.
# Usage: program_packages_check.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

mapfile -t listed < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' \
    "$source_dir/tools/debian-packages.txt" | grep -v '^$')
# The listed packages and everything they pull in (as installed here).
apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances "${listed[@]}" 2>/dev/null |
    grep -v '^ ' | grep -v '^<' | sed 's/:.*//' | sort -u >"$scratch/closure"
while read -r pkg; do
    dpkg-query -L "$pkg" 2>/dev/null || true
done <"$scratch/closure" | sort -u >"$scratch/owned"

# A configure without the tests and the benchmark, as run.sh does it.
if ! cmake -S "$source_dir" -B "$scratch/configure" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZORVEL_BUILD_TESTS=OFF -DZORVEL_BUILD_BENCH=OFF -DZORVEL_BUILD_TOOLS=OFF \
    >"$scratch/configure.log" 2>&1; then
    cat "$scratch/configure.log"
    echo "configure without tests failed"
    exit 1
fi
{
    # What find_package and the compiler checks found.
    grep -E '^[A-Za-z0-9_]+(_DIR|_LIBRARY_RELEASE|_INCLUDE_DIR|_COMPILER|_MAKE_PROGRAM):[A-Z]+=/usr/' \
        "$scratch/configure/CMakeCache.txt" | sed 's/^[^=]*=//'
    # Headers of the program's own objects in the full build (not tests, benchmark, fuzzers).
    ninja -C "$build_dir" -t deps | awk '
        /^[^ ]/ { keep = ($1 !~ /^(tests|bench|fuzz|tools)\//) }
        /^    \/usr\// && keep { print $1 }'
} | sort -u >"$scratch/used"
[[ -s "$scratch/used" ]] || { echo "found no files to check"; exit 1; }

# Each file counts as covered under its own name or the one its links resolve to.
while read -r path; do
    printf '%s %s\n' "$path" "$(realpath -m "$path")"
done <"$scratch/used" | awk -v owned="$scratch/owned" '
    BEGIN { while ((getline line < owned) > 0) have[line] = 1 }
    { checked++ }
    !($1 in have) && !($2 in have) { print "not from the run list: " $1; bad = 1 }
    END { print "checked " checked " files"; exit bad }'
