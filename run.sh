#!/usr/bin/env bash
# Builds the calculator alone (installing the missing Debian packages that building and
# running need first) and starts it. The tests and their packages are test.sh's.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$root/tools/build.sh" "$root/build" --program
exec "$root/build/ui/zorvel" "$@"
