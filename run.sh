#!/usr/bin/env bash
# Builds the calculator (installing missing Debian packages first) and starts it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$root/tools/build.sh" "$root/build"
exec "$root/build/ui/zorvel" "$@"
