#!/usr/bin/env bash
# Builds libjpeg-turbo statically for another target from Debian's own source package of
# the version the Linux build links, into <build>/libjpeg-turbo/prefix, so that every build
# encodes a saved page with the same code. Done once per build folder: a prefix that is
# already there is kept. The target's own CMake arguments (toolchain, build type, SIMD)
# come from tools/windows/libjpeg-turbo.sh and tools/web/libjpeg-turbo.sh.
#
# apt-get source runs with an apt configuration of its own, kept in the build folder: a
# sources list with the deb-src lines of the machine's Debian archives, and its own lists
# and cache folders, so that nothing under /etc/apt or /var/lib/apt changes.
# Usage: tools/libjpeg-turbo.sh <build-dir> [cmake arguments...]
set -euo pipefail
build=${1:?build folder}
shift
work=$build/libjpeg-turbo
prefix=$work/prefix
if [[ -f $prefix/lib/cmake/libjpeg-turbo/libjpeg-turboConfig.cmake ]]; then
    exit 0
fi
apt_dir=$work/apt
rm -rf "$apt_dir" "$work/source"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d" \
    "$work/source"
# The machine's own Debian archives, as source archives.
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
signed=""
[[ -f $keyring ]] && signed="[signed-by=$keyring] "
apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
    'Identifier: Packages' 'Origin: Debian' | sort -u |
    while read -r uri release component; do
        echo "deb-src ${signed}$uri $release $component"
    done >"$apt_dir/sources.list"
if [[ ! -s $apt_dir/sources.list ]]; then
    echo "No Debian archive is configured on this machine to take libjpeg-turbo's source from" >&2
    exit 1
fi
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list"
             -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
             -o "Dir::State::Lists=$apt_dir/lists"
             -o "Dir::Cache=$apt_dir/cache"
             -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache="
             -o "APT::Sandbox::User=root")
apt-get "${apt_options[@]}" -q update

# The version of the libjpeg the Linux build links, when it is installed.
version=$(dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev 2>/dev/null || true)
(cd "$work/source" && apt-get "${apt_options[@]}" -q source --only-source \
    "libjpeg-turbo${version:+=$version}")
rm -rf "$apt_dir/cache"
source_dir=$(find "$work/source" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
[[ -n $source_dir ]] || { echo "apt-get source left no libjpeg-turbo folder" >&2; exit 1; }

rm -rf "$work/build" # a failed configure must not leave its findings behind
cmake -S "$source_dir" -B "$work/build" -G Ninja "$@" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF >/dev/null
cmake --build "$work/build" -j2
cmake --install "$work/build" >/dev/null
rm -rf "$work/build"
