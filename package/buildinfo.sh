#!/usr/bin/env bash
# Writes BUILDINFO, which says what made the release package beside it and how to make the same
# bytes again: the commit, the Debian release, and the exact versions of the packages whose
# output is in the file (the mingw-w64 compiler and its runtime, binutils, the mingw-w64 headers
# and libraries, CMake, zip), with the SHA-256 of the program and the ZIP file they made.
#
#   buildinfo.sh BUILDINFO SOURCE_DIR BUILD_TYPE COMPILER EXE ZIP
#
# It holds nothing that changes from one build of the same commit on the same toolchain to the
# next (no time of the build, no path, no host name), so that two such builds write it the same.
set -euo pipefail

out=${1:?BUILDINFO}
source_dir=${2:?SOURCE_DIR}
build_type=${3:?BUILD_TYPE}
compiler=${4:?COMPILER}
exe=${5:?EXE}
zip_file=${6:?ZIP}

fail() {
    echo "buildinfo.sh: $*" >&2
    exit 1
}

# git as make_zip.sh runs it: none of the caller's git settings or variables apply.
git_here() {
    env -u GIT_DIR -u GIT_WORK_TREE -u GIT_INDEX_FILE -u GIT_OBJECT_DIRECTORY \
        -u GIT_COMMON_DIR -u GIT_CONFIG_PARAMETERS -u GIT_CONFIG_COUNT \
        git --no-replace-objects -C "$source_dir" "$@"
}

# A tree without git data (a source archive, dated by SOURCE_DATE_EPOCH) has no commit to name.
changes=""
if commit=$(git_here rev-parse --verify 'HEAD^{commit}' 2>/dev/null); then
    if [[ -n $(git_here status --porcelain --untracked-files=no 2>/dev/null) ]]; then
        changes=" with changes not committed (not a release build)"
    fi
else
    commit="none"
    changes=" (not built from a git checkout; SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-})"
fi

# The release, as the system names it.
release=unknown
if [[ -r /etc/os-release ]]; then
    # shellcheck disable=SC1091 # the system's file
    release=$(. /etc/os-release && echo "${PRETTY_NAME:-$NAME}")
fi
if [[ -r /etc/debian_version ]]; then
    release="$release, /etc/debian_version $(</etc/debian_version)"
fi

command -v dpkg-query >/dev/null || fail "dpkg-query is missing: the toolchain's versions come from Debian's packages"
compiler=$(command -v "$compiler") || fail "no compiler $4"
compiler_package=$(dpkg-query -S "$(realpath "$compiler")" 2>/dev/null | cut -d: -f1) ||
    compiler_package="not from a Debian package"

# Every installed package of the toolchain, those of the other thread model too (they share the
# runtime's base package), in name order. Each name (or pattern) must give an installed package:
# dpkg-query fails on a name that it does not know, and lists one that is not installed.
wanted=('g++-mingw-w64-x86-64*' 'gcc-mingw-w64-x86-64*' gcc-mingw-w64-base
    binutils-mingw-w64-x86-64 mingw-w64-common mingw-w64-x86-64-dev cmake zip)
packages=""
missing=()
for name in "${wanted[@]}"; do
    found=$(dpkg-query -W -f '${db:Status-Abbrev} ${Package} (= ${Version})\n' "$name" 2>/dev/null |
        awk '$1 == "ii" { $1 = ""; print substr($0, 2) }') || found=""
    if [[ -z $found ]]; then
        missing+=("$name")
    fi
    packages+=$found$'\n'
done
if ((${#missing[@]} > 0)); then
    fail "not installed, so their versions cannot be written: ${missing[*]} (run scripts/deps.sh)"
fi
packages=$(grep -v '^$' <<<"$packages" | LC_ALL=C sort -u)

digest() {
    sha256sum "$1" | cut -d' ' -f1
}

{
    echo "Package: $(basename "$zip_file")"
    echo "Commit: $commit$changes"
    echo "Build type: $build_type"
    echo "Built on: $release ($(dpkg --print-architecture))"
    echo "Compiler: $("$compiler" --version | head -n 1), from $compiler_package"
    echo "Packages that made the bytes:"
    echo "  ${packages//$'\n'/$'\n'  }"
    echo "SHA-256:"
    echo "  $(digest "$exe")  vorlith.exe"
    echo "  $(digest "$zip_file")  $(basename "$zip_file")"
    echo "To make the same bytes: on the same Debian release with these package versions,"
    echo "  git clone <repository> vorlith && cd vorlith && git checkout $commit"
    echo "  scripts/deps.sh"
    echo "  cmake --preset mingw -DVORLITH_WINDOWS_TESTS=OFF"
    echo "  cmake --build --preset mingw --target package"
    echo "Another compiler release gives another program: a build with GCC 14 (Debian 13) is not"
    echo "the same bytes as one with GCC 12 (Debian 12), as expected."
} >"$out.new"
mv -f "$out.new" "$out"
echo "$(basename "$out"): commit $commit, $release"
