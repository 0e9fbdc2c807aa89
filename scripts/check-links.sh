#!/usr/bin/env bash
# Checks that every relative link and picture in the repository's Markdown documents leads
# somewhere: README.md and docs/*.md, or the files given.
#
#   scripts/check-links.sh [ROOT [FILE...]]     ROOT: the repository (default: this script's)
#
# A link's target is a file or folder relative to the document that holds it (or, starting with
# '/', to ROOT), and must lie inside ROOT. A '#fragment' on a Markdown file, or alone for the
# document itself, must name one of that file's headings as GitHub makes their anchors: the
# heading's text in lower case, punctuation other than '-' and '_' dropped, each space a '-',
# and "-1", "-2"... after the second and later headings of one text. Characters beyond ASCII are
# kept as they are. Links to other sites (https:, mailto: and the like) are not checked, nor is
# anything inside code blocks or `code spans`.
#
# Prints each broken link as FILE:LINE: TARGET: what is wrong, then a count. Exit code 1 when a
# link is broken or no link was found at all (the documents or this script are then broken).
# Needs bash, awk (mawk will do), sed and realpath: nothing that a minimal Debian lacks.
set -euo pipefail
export LC_ALL=C

root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
root=$(realpath "$root")
shift || true
if (($# > 0)); then
    docs=("$@")
else
    docs=("$root/README.md")
    shopt -s nullglob
    docs+=("$root"/docs/*.md)
    shopt -u nullglob
fi

# What the awk programs below share: the lines of a document outside fenced code blocks, with
# code spans taken out. Fences open with three or more backticks or tildes (after up to three
# spaces) and close with the same character.
read -r -d '' outside_code <<'AWK' || true
function fence_char(line) {
    sub(/^ ? ? ?/, "", line)
    if (line ~ /^```/) return "`"
    if (line ~ /^~~~/) return "~"
    return ""
}
function prose(line,    c) {
    c = fence_char(line)
    if (fence != "") {
        if (c == fence) fence = ""
        return 0
    }
    if (c != "") {
        fence = c
        return 0
    }
    return 1
}
function without_code(line) {
    gsub(/``[^`]*``/, "", line)
    gsub(/`[^`]*`/, "", line)
    return line
}
AWK

# Each link target of a document, as "LINE<tab>TARGET": inline links and pictures [..](target),
# reference definitions [name]: target, and HTML src="..." and href="...".
links_of() {
    awk "$outside_code"'
    function emit(target) {
        sub(/^[ \t]+/, "", target)
        if (target ~ /^</) {
            sub(/^</, "", target)
            sub(/>.*$/, "", target)
        } else {
            sub(/[ \t].*$/, "", target)
        }
        print NR "\t" target
    }
    {
        if (!prose($0)) next
        line = without_code($0)
        if (match(line, /^ *\[[^]]+\]:[ \t]*[^ \t]/)) {
            target = line
            sub(/^ *\[[^]]+\]:/, "", target)
            emit(target)
            next
        }
        rest = line
        while (match(rest, /\]\([^)]*\)/)) {
            emit(substr(rest, RSTART + 2, RLENGTH - 3))
            rest = substr(rest, RSTART + RLENGTH)
        }
        rest = line
        while (match(rest, /(src|href)="[^"]*"/)) {
            target = substr(rest, RSTART, RLENGTH)
            sub(/^[a-z]*="/, "", target)
            sub(/"$/, "", target)
            emit(target)
            rest = substr(rest, RSTART + RLENGTH)
        }
    }' "$1"
}

# The anchors of a Markdown file's headings (# to ######), one a line, as GitHub makes them.
anchors_of() {
    awk "$outside_code"'
    {
        if (!prose($0)) next
        line = $0
        if (line !~ /^ ? ? ?#/) next
        sub(/^ */, "", line)
        if (line !~ /^#######/ && line ~ /^#+([ \t]|$)/) {
            sub(/^#+/, "", line)
            sub(/[ \t]+#+[ \t]*$/, "", line)
            # What the reader sees: the text of links, no code marks, no HTML tags.
            text = ""
            while (match(line, /!?\[[^]]*\]\([^)]*\)/)) {
                part = substr(line, RSTART, RLENGTH)
                sub(/^!?\[/, "", part)
                sub(/\]\(.*$/, "", part)
                text = text substr(line, 1, RSTART - 1) part
                line = substr(line, RSTART + RLENGTH)
            }
            line = text line
            gsub(/<[^>]*>/, "", line)
            sub(/^[ \t]+/, "", line)
            sub(/[ \t]+$/, "", line)
            line = tolower(line)
            gsub(/[]!"#$%&'"'"'()*+,.\/:;<=>?@[\\^`{|}~]/, "", line)
            gsub(/[ \t]/, "-", line)
            if (line in seen) {
                seen[line]++
                print line "-" seen[line]
            } else {
                seen[line] = 0
                print line
            }
        }
    }' "$1"
}

declare -A anchors=()
has_anchor() {
    local file=$1 anchor=$2
    if [[ -z ${anchors[$file]+set} ]]; then
        anchors[$file]=$'\n'$(anchors_of "$file")$'\n'
    fi
    [[ ${anchors[$file]} == *$'\n'"$anchor"$'\n'* ]]
}

# %20 and the like, as a browser reads them.
decode() {
    printf '%b' "${1//%/\\x}"
}

broken=0
checked=0
for doc in "${docs[@]}"; do
    doc=$(realpath "$doc")
    name=${doc#"$root"/}
    if [[ ! -f $doc ]]; then
        echo "$name: no such document"
        broken=$((broken + 1))
        continue
    fi
    while IFS=$'\t' read -r line target; do
        [[ -z $target ]] && continue
        # Another site, or a scheme of its own (mailto:, data:): not ours to check.
        if [[ $target =~ ^[A-Za-z][A-Za-z0-9+.-]*: || $target == //* ]]; then
            continue
        fi
        checked=$((checked + 1))
        path=${target%%#*}
        fragment=
        [[ $target == *'#'* ]] && fragment=${target#*#}
        path=$(decode "${path%%\?*}")
        fragment=$(decode "$fragment")
        if [[ -z $path ]]; then
            file=$doc
        elif [[ $path == /* ]]; then
            file=$(realpath -m "$root$path")
        else
            file=$(realpath -m "$(dirname "$doc")/$path")
        fi
        why=
        if [[ $file != "$root" && $file != "$root"/* ]]; then
            why="outside the repository"
        elif [[ ! -e $file ]]; then
            why="no such file or folder"
        elif [[ -n $fragment && $file == *.md && -f $file ]]; then
            has_anchor "$file" "$fragment" ||
                why="no heading with the anchor #$fragment in ${file#"$root"/}"
        fi
        if [[ -n $why ]]; then
            echo "$name:$line: $target: $why"
            broken=$((broken + 1))
        fi
    done < <(links_of "$doc")
done

echo "check-links: $checked links in ${#docs[@]} documents, $broken broken"
if ((checked == 0)); then
    echo "check-links: found no links at all; README.md links to docs/, so something is wrong"
    exit 1
fi
((broken == 0))
