# Reading and writing fields of a 64-bit PE file (an .exe) from bash, with od, dd and the target's
# objdump: sourced by cmake/load_config.sh, which completes vorlith.exe after its link, and by
# tests/package/hardening.sh, which checks the result. Offsets are byte offsets in the file.

# The unsigned little-endian number of 2 or 4 bytes at OFFSET.
pe_u16() { od -An -tu2 -j "$2" -N 2 "$1" | tr -d ' '; }
pe_u32() { od -An -tu4 -j "$2" -N 4 "$1" | tr -d ' '; }

# Writes VALUE as 4 little-endian bytes at OFFSET, in place.
pe_write_u32() {
    local file=$1 offset=$2 value=$3
    printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((value & 255)) $((value >> 8 & 255)) \
        $((value >> 16 & 255)) $((value >> 24 & 255)))" |
        dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
}

# The offset of the optional header's fields: the checksum, and the entry of data directory N
# (its RVA; its size follows). Fails unless the file is a PE32+ image.
pe_optional_header() {
    local file=$1 pe
    pe=$(pe_u32 "$file" 60)
    [[ $(od -An -tx1 -j "$pe" -N 4 "$file" | tr -d ' ') == 50450000 ]] || return 1
    (($(pe_u16 "$file" $((pe + 24))) == 0x20b)) || return 1
    echo $((pe + 24))
}
pe_checksum_offset() { echo $(($(pe_optional_header "$1") + 64)); }
pe_directory_offset() { echo $(($(pe_optional_header "$1") + 112 + 8 * $2)); }

# The file offset of the RVA, from the section that holds it (objdump -h lists each section's
# size, address and file offset), or nothing when no section holds it.
pe_file_offset() {
    local file=$1 rva=$2 objdump=$3 base
    base=$((16#$("$objdump" -p "$file" | awk '$1 == "ImageBase" { print $2 }')))
    "$objdump" -h "$file" | awk '$1 ~ /^[0-9]+$/ { print $3, $4, $6 }' |
        while read -r size vma offset; do
            local start=$((16#$vma - base))
            if ((rva >= start && rva < start + 16#$size)); then
                echo $((16#$offset + rva - start))
                break
            fi
        done
}

# The PE checksum of the file as the header should hold it: the 16-bit words of the file but
# those of the checksum itself, added with their carries folded back, plus the file's length.
pe_checksum() {
    local file=$1 skip
    skip=$(($(pe_checksum_offset "$file") / 2))
    od -An -v -tu2 "$file" | awk -v skip="$skip" -v size="$(stat -c %s "$file")" '
        { for (i = 1; i <= NF; i++) { if (n != skip && n != skip + 1) sum += $i; n++ } }
        END { while (sum > 65535) sum = sum % 65536 + int(sum / 65536); print sum + size }'
}
