#!/usr/bin/env bash
# Runs the README's test command (scripts/test.sh) on a fresh Debian of the given release: a
# minimal root made with debootstrap, a clean clone of the commit checked out here inside it,
# and nothing of this machine's packages, builds or Wine prefixes. The exit code is the test's.
#
#   scripts/test-in-debian.sh RELEASE [CTEST ARGS...]     RELEASE: 12 or bookworm, 13 or trixie
#
# It needs root (debootstrap, mounts, chroot; the two-monitor suite needs root as well) and
# installs debootstrap when it is missing. Only committed work is tested: the clone is of HEAD.
# Kept under build/debian-N between runs, so that a second run does not download everything
# again: minbase.tar (the root as debootstrap made it) and apt-archives/ (the packages that
# scripts/deps.sh downloaded). The root itself (build/debian-N/root) is made anew each run and
# removed after a run that passed; one that failed stays for a look until the next run. The
# release package built there, its buildinfo and ctest's log are copied to build/debian-N/kept.
#
# The root gets /proc, /sys, /dev, /dev/pts and a /dev/shm of its own; everything that it
# mounts is unmounted, and whatever still runs inside the root is ended, when the script ends,
# passed or failed or interrupted. The tests run in a network namespace of their own (after
# the packages are installed with the network): an X server started there must not take, or
# reach, a display number of this machine through the abstract socket namespace, which a
# chroot does not separate.
set -euo pipefail

fail() {
    echo "test-in-debian.sh: $*" >&2
    exit 1
}

case ${1:-} in
12 | bookworm) number=12 codename=bookworm ;;
13 | trixie) number=13 codename=trixie ;;
*) fail "usage: test-in-debian.sh 12|13 [CTEST ARGS...] (or bookworm|trixie)" ;;
esac
shift
[[ $(id -u) -eq 0 ]] || fail "it needs root (debootstrap, mount, chroot)"

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
commit=$(git -C "$repo" rev-parse HEAD)
if [[ -n $(git -C "$repo" status --porcelain --untracked-files=no) ]]; then
    echo "test-in-debian.sh: the work tree has uncommitted changes; testing $commit without them" >&2
fi
cache=$repo/build/debian-$number
root=$cache/root
started=$(date +%s)

say() {
    echo "test-in-debian.sh [$(($(date +%s) - started)) s]: $*"
}

# The mirror that this machine's apt uses (its security archive too, when it has one), so that
# the root fetches from where this machine can. VORLITH_DEBIAN_MIRROR (and
# VORLITH_DEBIAN_SECURITY_MIRROR) name another.
host_uri() {
    local suffix=$1
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
        2>/dev/null | grep -oE '(https?|file)://[^ ]+' | sed 's:/*$::' |
        grep -E "/debian$suffix\$" | head -n 1 || true
}
mirror=${VORLITH_DEBIAN_MIRROR:-$(host_uri '')}
[[ -n $mirror ]] || fail "no Debian mirror in this machine's apt sources: set VORLITH_DEBIAN_MIRROR"
security=${VORLITH_DEBIAN_SECURITY_MIRROR:-$(host_uri -security)}
security=${security:-${mirror}-security}

# --- Cleaning up: every mount below the root, and every process whose root is the root -------

mounts_below() {
    # Mount points under the root, deepest last (the order they were made in).
    awk -v r="$root/" 'index($2 "/", r) == 1 { print $2 }' /proc/self/mounts
}

processes_inside() {
    local link pid real
    real=$(realpath "$root" 2>/dev/null) || return 0
    for link in /proc/[0-9]*/root; do
        pid=${link#/proc/}
        pid=${pid%/root}
        if [[ $(readlink "$link" 2>/dev/null) == "$real" ]]; then
            echo "$pid"
        fi
    done
}

# shellcheck disable=SC2317 # run by the EXIT trap
cleanup() {
    local rc=$?
    trap - EXIT INT TERM
    local pids signal i
    for signal in TERM KILL; do
        pids=$(processes_inside)
        [[ -z $pids ]] && break
        say "ending what still runs in the root ($signal): ${pids//$'\n'/ }"
        # shellcheck disable=SC2086 # one pid a word
        kill -s "$signal" $pids 2>/dev/null || true
        for ((i = 0; i < 50; i++)); do
            [[ -z $(processes_inside) ]] && break
            sleep 0.1
        done
    done
    # What the run made that is worth keeping: the release package built on that release, its
    # buildinfo, and the test log (with the reproducibility test's digests).
    local made=$root/src/vorlith/build
    if [[ -d $made ]]; then
        rm -rf "$cache/kept"
        mkdir -p "$cache/kept"
        cp "$made"/mingw/vorlith-*-win64.* "$made/native/Testing/Temporary/LastTest.log" \
            "$cache/kept/" 2>/dev/null || true
    fi
    local mount
    while read -r mount; do
        [[ -z $mount ]] && continue
        umount "$mount" 2>/dev/null || {
            echo "test-in-debian.sh: $mount is busy; detaching it" >&2
            umount -l "$mount" || true
        }
    done < <(mounts_below | tac)
    if [[ -n $(mounts_below) ]]; then
        echo "test-in-debian.sh: still mounted under $root: $(mounts_below | tr '\n' ' ')" >&2
        if ((rc == 0)); then
            rc=1
        fi
    elif ((rc == 0)) && [[ -d $root ]]; then
        rm -rf --one-file-system "$root"
    elif [[ -d $root ]]; then
        echo "test-in-debian.sh: the root of the failed run stays in $root" >&2
    fi
    say "done, exit code $rc"
    exit "$rc"
}

# Removes a root that an earlier run left; never while anything is mounted below it.
remove_root() {
    [[ -e $root ]] || return 0
    if [[ -n $(mounts_below) || -n $(processes_inside) ]]; then
        fail "an earlier run still uses $root (mounts or processes); end it first"
    fi
    rm -rf --one-file-system "$root"
}

# --- The root ------------------------------------------------------------------------------------

mkdir -p "$cache"
remove_root
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [[ ! -s $cache/minbase.tar ]]; then
    if ! command -v debootstrap >/dev/null; then
        say "installing debootstrap"
        DEBIAN_FRONTEND=noninteractive apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            debootstrap debian-archive-keyring >/dev/null
    fi
    say "debootstrap --variant=minbase $codename from $mirror"
    # ca-certificates: apt needs it for a mirror reached over https.
    debootstrap --variant=minbase --include=ca-certificates "$codename" "$root" "$mirror" \
        >"$cache/debootstrap.log" 2>&1 || {
        tail -n 30 "$cache/debootstrap.log" >&2
        fail "debootstrap failed (log: $cache/debootstrap.log)"
    }
    tar -C "$root" -cf "$cache/minbase.tar.new" .
    mv "$cache/minbase.tar.new" "$cache/minbase.tar"
else
    say "unpacking the cached minimal root ($cache/minbase.tar)"
    mkdir -p "$root"
    tar -C "$root" -xf "$cache/minbase.tar"
fi

cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $codename main
deb $mirror $codename-updates main
deb $security $codename-security main
EOF
cp -L /etc/resolv.conf "$root/etc/resolv.conf"

mkdir -p "$cache/apt-archives" "$root/var/cache/apt/archives"
mount --bind "$cache/apt-archives" "$root/var/cache/apt/archives"
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
# A /dev/shm of the root's own, not this machine's.
mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"

say "cloning $commit into the root"
git clone -q --no-hardlinks "$repo" "$root/src/vorlith"
git -C "$root/src/vorlith" checkout -q --detach "$commit"

in_root=(chroot "$root" env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin CI="${CI:-}")

# The commands inside run in the background and are waited for: bash runs a signal's trap only
# once the foreground command has ended, and an interrupted run should not wait for the tests.
say "installing what the tests need (scripts/deps.sh)"
"${in_root[@]}" /src/vorlith/scripts/deps.sh &
wait "$!"
say "Debian $(cat "$root/etc/debian_version") in $root"

say "running scripts/test.sh $*"
rc=0
# shellcheck disable=SC2016 # expanded inside the root
unshare --net -- "${in_root[@]}" bash -c 'cd /src/vorlith && exec scripts/test.sh "$@"' test.sh "$@" &
wait "$!" || rc=$?
say "scripts/test.sh ended with exit code $rc"
exit "$rc"
