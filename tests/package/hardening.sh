#!/usr/bin/env bash
# Checks what a released vorlith.exe carries in its PE file: the header flags that Windows' own
# programs have (high-entropy addresses, dynamic base, NX, Terminal Server aware), a load
# configuration whose DependentLoadFlags keeps the loader to the system folder, a checksum that
# holds, an import table of system DLLs alone that does not name SetDefaultDllDirectories
# (missing on Windows 7 without its update), and at most 256 KiB. Names each field that fails.
#
#   hardening.sh OBJDUMP zip ZIP      the vorlith.exe inside the release package
#   hardening.sh OBJDUMP exe EXE      an exe where it lies (another compiler's build)
set -euo pipefail

objdump=${1:?OBJDUMP}
mode=${2:?zip or exe}
source "$(dirname "${BASH_SOURCE[0]}")/../../cmake/pe_fields.sh"

kMaxBytes=262144
kFlags=(HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE)
kSystemDlls=" COMCTL32.dll GDI32.dll KERNEL32.dll msvcrt.dll USER32.dll "

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
case $mode in
zip)
    (cd "$work" && cmake -E tar xf "${3:?ZIP}" vorlith.exe)
    exe=$work/vorlith.exe
    ;;
exe) exe=${3:?EXE} ;;
*) exit 2 ;;
esac
[[ -f $exe ]] || {
    echo "FAIL: no vorlith.exe in ${3}" >&2
    exit 1
}

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

headers=$(LC_ALL=C "$objdump" -p "$exe")
bytes=$(stat -c %s "$exe")
((bytes <= kMaxBytes)) || fail "size: $bytes bytes, more than $kMaxBytes"

# objdump names the flags of DllCharacteristics one a line below it.
flags=$(awk '/^DllCharacteristics/ { on = 1; next } on && /^\t\t/ { print $1; next } { on = 0 }' \
    <<<"$headers")
for flag in "${kFlags[@]}"; do
    grep -qx "$flag" <<<"$flags" || fail "DllCharacteristics: no $flag"
done

read -r rva size < <(awk '$1 == "Entry" && $2 == "a" { print $3, $4 }' <<<"$headers")
if ((16#$rva == 0)); then
    fail "Load Configuration Directory: none (data directory entry 10 is empty)"
else
    at=$(pe_file_offset "$exe" $((16#$rva)) "$objdump")
    if [[ -z $at ]]; then
        fail "Load Configuration Directory: RVA 0x$rva lies in no section"
    else
        (($(pe_u32 "$exe" "$at") == 16#$size)) ||
            fail "Load Configuration Directory: its Size field is not the entry's 0x$size"
        (($(pe_u16 "$exe" $((at + 0x4E))) == 0x800)) ||
            fail "DependentLoadFlags: $(pe_u16 "$exe" $((at + 0x4E))), not 0x800 (system folder only)"
    fi
fi

checksum=$(awk '$1 == "CheckSum" { print $2 }' <<<"$headers")
((16#$checksum == 0 || 16#$checksum == $(pe_checksum "$exe"))) ||
    fail "CheckSum: 0x$checksum does not match the file"

! grep -qw SetDefaultDllDirectories <<<"$headers" ||
    fail "imports: SetDefaultDllDirectories, which Windows 7 without KB2533623 lacks"
for dll in $(awk '/DLL Name:/ { print $3 }' <<<"$headers"); do
    [[ $kSystemDlls == *" $dll "* ]] || fail "imports: $dll, not one of$kSystemDlls"
done

echo "$(basename "$exe") ($mode): $bytes bytes; $(grep -E '^(DllCharacteristics|CheckSum)' \
    <<<"$headers" | tr -s '\t' ' ' | paste -sd';'); flags ${flags//$'\n'/ };" \
    "Load Configuration at 0x$rva, 0x$size bytes; $failures failed"
((failures == 0))
