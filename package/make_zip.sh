#!/usr/bin/env bash
# Makes the release package: a ZIP file holding the given files at its top, in the order given,
# that is the same byte for byte wherever, whenever and by whomever the same commit is built;
# and beside it ZIP.sha256, its SHA-256 in the form that `sha256sum -c` reads.
#
#   make_zip.sh ZIP SOURCE_DIR FILE...
#
# Every entry carries one time: SOURCE_DATE_EPOCH when it is set, else the time of the commit
# checked out in SOURCE_DIR, else (no git checkout) 1980-01-01, the first time a ZIP file can
# hold. Entries get fixed permissions and no owner, user or extra times (zip -X); ZIP times are
# local times, so zip runs in UTC.
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
epoch=${SOURCE_DATE_EPOCH:-}
from="SOURCE_DATE_EPOCH"
if [[ -z $epoch ]]; then
    from="the commit"
    # Only SOURCE_DIR's own checkout: not one that happens to lie around an unpacked source tree.
    top=$(git -C "$source_dir" rev-parse --show-toplevel 2>/dev/null) || top=""
    if [[ -n $top && $(cd "$top" && pwd -P) == $(cd "$source_dir" && pwd -P) ]]; then
        epoch=$(git -C "$source_dir" log -1 --format=%ct)
    fi
fi
if [[ -z $epoch ]]; then
    from="no commit: the fixed fallback"
    epoch=$kZipEpochMin
fi
[[ $epoch =~ ^[0-9]+$ ]] || {
    echo "make_zip.sh: SOURCE_DATE_EPOCH is not a number of seconds: $epoch" >&2
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
