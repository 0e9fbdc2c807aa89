#!/usr/bin/env bash
# Makes the release package: a ZIP file holding the given files at its top, in the order given,
# that is the same byte for byte wherever, whenever and by whomever the same commit is built;
# and beside it ZIP.sha256, its SHA-256 in the form that `sha256sum -c` reads.
#
#   make_zip.sh ZIP SOURCE_DIR FILE...
#
# Every entry carries one time: SOURCE_DATE_EPOCH when it is set, else the time of the commit
# checked out in SOURCE_DIR; with neither (a source tree without git, git refusing to read it)
# it stops and says so, since any other time would make another file. Entries get fixed
# permissions and no owner, user or extra times (zip -X); ZIP times are local times, so zip runs
# in UTC.
set -euo pipefail

zip_file=${1:?ZIP}
source_dir=${2:?SOURCE_DIR}
shift 2
(($# > 0)) || {
    echo "make_zip.sh: no files to pack" >&2
    exit 1
}
command -v zip >/dev/null || {
    echo "make_zip.sh: zip is not installed (scripts/deps.sh installs it)" >&2
    exit 1
}

kZipEpochMin=315532800 # 1980-01-01 00:00:00 UTC

no_time() {
    echo "make_zip.sh: no time for the ZIP entries: SOURCE_DATE_EPOCH is not set and $*." >&2
    echo "make_zip.sh: build from a git checkout, or set SOURCE_DATE_EPOCH to the commit's time" \
        "(seconds since 1970) to make the published file." >&2
    exit 1
}

# git with none of the caller's settings that change what it prints or which repository it
# reads: no GIT_DIR and the like from the environment, no replaced objects, no signatures shown
# (log.showSignature would print them before the time).
git_here() {
    env -u GIT_DIR -u GIT_WORK_TREE -u GIT_INDEX_FILE -u GIT_OBJECT_DIRECTORY \
        -u GIT_COMMON_DIR -u GIT_CONFIG_PARAMETERS -u GIT_CONFIG_COUNT \
        git --no-replace-objects -c log.showSignature=false -C "$source_dir" "$@"
}

epoch=${SOURCE_DATE_EPOCH:-}
from="SOURCE_DATE_EPOCH"
if [[ -z $epoch ]]; then
    from="the commit"
    command -v git >/dev/null || no_time "git is not installed"
    # Only SOURCE_DIR's own checkout: not one that happens to lie around an unpacked source tree.
    # git refuses a checkout owned by another user (safe.directory) and says so.
    top=$(git_here rev-parse --show-toplevel 2>/dev/null) ||
        no_time "git cannot read $source_dir: $(git_here rev-parse --show-toplevel 2>&1 | head -n 4)"
    if [[ $(cd "$top" && pwd -P) != $(cd "$source_dir" && pwd -P) ]]; then
        no_time "$source_dir is not a git checkout of its own (it lies inside $top)"
    fi
    epoch=$(git_here show -s --no-show-signature --format=%ct HEAD 2>/dev/null) ||
        no_time "git cannot read the commit's time: $(git_here show -s --format=%ct HEAD 2>&1 | head -n 4)"
fi
[[ $epoch =~ ^[0-9]+$ ]] || {
    echo "make_zip.sh: the time from $from is not a number of seconds: $epoch" >&2
    exit 1
}
((epoch >= kZipEpochMin)) || epoch=$kZipEpochMin

out_dir=$(cd "$(dirname "$zip_file")" && pwd)
zip_name=$(basename "$zip_file")
stage=$(mktemp -d "$out_dir/$zip_name.stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT

names=()
for file in "$@"; do
    name=$(basename "$file")
    cp "$file" "$stage/$name"
    if [[ $name == *.exe ]]; then
        chmod 755 "$stage/$name"
    else
        chmod 644 "$stage/$name"
    fi
    touch -d "@$epoch" "$stage/$name"
    names+=("$name")
done

# zip reads default options from ZIPOPT and ZIP: none of the caller's may change the file.
(cd "$stage" && env -u ZIPOPT -u ZIP TZ=UTC0 zip -q -X -D "$stage/$zip_name" "${names[@]}")
mv -f "$stage/$zip_name" "$out_dir/$zip_name"
(cd "$out_dir" && sha256sum "$zip_name" >"$zip_name.sha256")

echo "$zip_name: ${names[*]}, dated $(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S UTC') ($from)"
cat "$out_dir/$zip_name.sha256"
