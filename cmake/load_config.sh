#!/usr/bin/env bash
# Completes vorlith.exe after its link: the PE header's Load Configuration entry (data directory
# 10) must point at the program's _load_config_used (app/load_config.cpp), where the loader then
# reads DependentLoadFlags = LOAD_LIBRARY_SEARCH_SYSTEM32. lld writes the entry itself; GNU ld
# (2.40 and 2.44 at least) leaves it empty. So when it is empty, this writes it from the
# symbol's address in the link map, with the structure's own size, and writes the header's
# checksum anew. Then it checks the result; anything else than the above fails the build and
# removes the file, so that the next build links it again rather than taking it as done.
#
#   load_config.sh EXE MAP OBJDUMP
set -euo pipefail

exe=${1:?EXE}
map=${2:?MAP}
objdump=${3:?OBJDUMP}
source "$(dirname "${BASH_SOURCE[0]}")/pe_fields.sh"

kLoadConfig=10
kSystemFolderOnly=0x800 # LOAD_LIBRARY_SEARCH_SYSTEM32
kFlagsOffset=0x4E       # DependentLoadFlags in IMAGE_LOAD_CONFIG_DIRECTORY64

fail() {
    echo "load_config.sh: $exe: $*" >&2
    rm -f "$exe"
    exit 1
}
hex() { printf '0x%x' "$1"; }

pe_optional_header "$exe" >/dev/null || fail "not a 64-bit PE file"
entry=$(pe_directory_offset "$exe" $kLoadConfig)
checksum_at=$(pe_checksum_offset "$exe")

# The symbol's address: GNU ld's map gives its virtual address (0x...), lld's its RVA.
address=$(awk '$NF == "_load_config_used" && NF >= 2 { print $1; exit }' "$map")
[[ $address =~ ^(0x)?[0-9A-Fa-f]+$ ]] || fail "$map names no _load_config_used"
[[ $address == 0x* ]] || address=0x$address
rva=$((address))
base=$((16#$("$objdump" -p "$exe" | awk '$1 == "ImageBase" { print $2 }')))
((rva < base)) || rva=$((rva - base))
at=$(pe_file_offset "$exe" "$rva" "$objdump")
[[ -n $at ]] || fail "no section holds _load_config_used (RVA $(hex "$rva"))"
size=$(pe_u32 "$exe" "$at")

how="as the linker wrote it"
if (($(pe_u32 "$exe" "$entry") == 0 && $(pe_u32 "$exe" $((entry + 4))) == 0)); then
    pe_write_u32 "$exe" "$entry" "$rva"
    pe_write_u32 "$exe" $((entry + 4)) "$size"
    # lld writes no checksum; GNU ld does, and it must hold for the bytes written above.
    if (($(pe_u32 "$exe" "$checksum_at") != 0)); then
        pe_write_u32 "$exe" "$checksum_at" "$(pe_checksum "$exe")"
    fi
    how="written after the link"
fi

# What the loader will find.
found_rva=$(pe_u32 "$exe" "$entry")
found_size=$(pe_u32 "$exe" $((entry + 4)))
((found_rva == rva && found_size == size)) ||
    fail "the Load Configuration entry is $(hex "$found_rva"), $(hex "$found_size") bytes;" \
        "_load_config_used is at $(hex "$rva"), $(hex "$size") bytes"
((size >= kFlagsOffset + 2)) || fail "_load_config_used is $size bytes, too short for its flags"
flags=$(pe_u16 "$exe" $((at + kFlagsOffset)))
((flags == kSystemFolderOnly)) || fail "DependentLoadFlags is $(hex "$flags"), not 0x800"
checksum=$(pe_u32 "$exe" "$checksum_at")
((checksum == 0 || checksum == $(pe_checksum "$exe"))) || fail "the PE checksum is wrong"

echo "$(basename "$exe"): Load Configuration at RVA $(hex "$rva"), $(hex "$size") bytes," \
    "DependentLoadFlags $(hex "$flags") ($how)"
