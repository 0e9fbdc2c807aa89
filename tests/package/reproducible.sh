#!/usr/bin/env bash
# Builds the release package a second time and checks that it is the same, byte for byte, as the
# one already built: from a copy of the same sources at another path, in another build tree, at
# least a second later, with another umask and in another time zone. Prints the SHA-256 of
# vorlith.exe and of the ZIP file from both builds and fails on any difference; checks each
# ZIP.sha256 with sha256sum -c too, and that both wrote the same buildinfo, naming the commit.
# Then, in the copy, the package is refused where it could not be the same: without the
# commit's time (no git data, no SOURCE_DATE_EPOCH) and from a build that is not Release.
#
#   reproducible.sh SOURCE_DIR FIRST_BUILD_DIR PACKAGE_NAME
#       FIRST_BUILD_DIR is a tree of the mingw preset in which the package target has run.
set -euo pipefail

source_dir=$(cd "${1:?SOURCE_DIR}" && pwd)
first=$(cd "${2:?FIRST_BUILD_DIR}" && pwd)
name=${3:?PACKAGE_NAME}
zip=$name.zip

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

buildinfo=$name.buildinfo
for file in vorlith.exe "$zip" "$zip.sha256" "$buildinfo"; do
    [[ -f $first/$file ]] ||
        fail "$first/$file does not exist; make it with: cmake --build --preset mingw --target package"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/vorlith-rebuild.XXXXXX")
trap 'rm -rf "$work"' EXIT
copy=$work/elsewhere/vorlith
mkdir -p "$copy"

# The copy: what git would check out plus what is changed or new and not ignored (so that work
# not yet committed is compared with itself), and git's own data, so that the copy is a
# checkout of the same commit and its package takes that commit's time.
if [[ -e $source_dir/.git ]]; then
    (
        cd "$source_dir"
        git ls-files -z --cached --others --exclude-standard |
            while IFS= read -r -d '' file; do
                [[ -e $file ]] && printf '%s\0' "$file"
            done |
            tar --null -T - -cf -
    ) | tar -xf - -C "$copy"
    cp -a "$source_dir/.git" "$copy/.git"
else
    (cd "$source_dir" && tar --exclude=./build -cf - .) | tar -xf - -C "$copy"
fi

# At least a second after the first package was made.
made=$(stat -c %Y "$first/$zip")
while (($(date +%s) <= made + 1)); do
    sleep 0.2
done

log=$work/build.log
echo "Building the package again in $copy/build/mingw"
if ! (
    cd "$copy"
    umask 077
    # Thirteen hours and three quarters east of UTC: ZIP times are local times.
    export TZ=XST-13:45
    cmake --preset mingw -DVORLITH_WINDOWS_TESTS=OFF
    cmake --build --preset mingw -j2 --target package
) >"$log" 2>&1; then
    tail -n 40 "$log"
    fail "the second build failed"
fi
second=$copy/build/mingw

digest() {
    sha256sum "$1" | cut -d' ' -f1
}

different=()
for file in vorlith.exe "$zip"; do
    a=$(digest "$first/$file")
    b=$(digest "$second/$file")
    echo "$file SHA-256, first build:  $a ($first)"
    echo "$file SHA-256, second build: $b ($second)"
    if [[ $a != "$b" ]]; then
        different+=("$file")
        cmp "$first/$file" "$second/$file" || true
    fi
done
if ((${#different[@]} > 0)); then
    if [[ " ${different[*]} " == *" $zip "* ]] && command -v zipinfo >/dev/null; then
        diff <(zipinfo -v "$first/$zip") <(zipinfo -v "$second/$zip") | head -n 40 || true
    fi
    fail "the two builds differ: ${different[*]}"
fi

for dir in "$first" "$second"; do
    (cd "$dir" && sha256sum -c "$zip.sha256") || fail "$dir/$zip.sha256 does not check"
done
echo "Both builds gave the same vorlith.exe and $zip."

# The buildinfo of each names the commit and the same toolchain: the full commit id of a git
# checkout (buildinfo.sh writes "none" for sources without git data), never an empty one, which
# every Commit line would match.
if [[ -e $source_dir/.git ]]; then
    commit=$(git -C "$source_dir" rev-parse HEAD 2>/dev/null) || commit=""
    [[ $commit =~ ^[0-9a-f]{40}([0-9a-f]{24})?$ ]] ||
        fail "git rev-parse HEAD in $source_dir gave no commit id ('$commit'): cannot check $buildinfo"
else
    commit=none
fi
if ! cmp -s "$first/$buildinfo" "$second/$buildinfo"; then
    diff "$first/$buildinfo" "$second/$buildinfo" || true
    fail "the two builds wrote different $buildinfo files"
fi
grep -qE "^Commit: $commit( |\$)" "$first/$buildinfo" ||
    fail "$buildinfo does not name the commit $commit"
echo "Both builds wrote the same $buildinfo:"
sed 's/^/  /' "$first/$buildinfo"

# refused DESCRIPTION MESSAGE COMMAND...: COMMAND fails and prints MESSAGE.
refused() {
    local what=$1 message=$2
    shift 2
    local rc=0
    (cd "$copy" && "$@") >"$log" 2>&1 || rc=$?
    if ((rc == 0)) || ! grep -qF "$message" "$log"; then
        tail -n 20 "$log"
        fail "the package target made a package $what (exit code $rc; expected: $message)"
    fi
    echo "Refused $what: $(grep -F "$message" "$log" | head -n 1)"
}
rm -rf "$copy/.git"
refused "without the commit's time" "no time for the ZIP entries" \
    env -u SOURCE_DATE_EPOCH cmake --build --preset mingw --target package
# With a time given, so that only the build type can stop it.
refused "from a Debug build" "not Release" env SOURCE_DATE_EPOCH=1700000000 \
    sh -c 'cmake --preset mingw -DCMAKE_BUILD_TYPE=Debug && cmake --build --preset mingw --target package'
