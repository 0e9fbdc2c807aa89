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
# removed after a run that passed; after one that failed or was interrupted it stays for a look
# (nothing mounted in it, nothing running in it) until the next run removes it. The release
# package built there, its buildinfo and ctest's log are copied to build/debian-N/kept. One run
# at a time uses build/debian-N (build/debian-N/lock): a second one stops at once, and the
# script does not touch a root below which something is still mounted or running.
#
# Mounts: the script runs in a mount namespace of its own with private propagation (it starts
# itself again under `unshare --mount --propagation private`), so that nothing it mounts is seen
# on this machine, whatever the propagation of this machine's mounts: the root's /sys, a bind of
# /dev and of /dev/pts, a /dev/shm of its own, and a bind of build/debian-N/apt-archives while
# the packages are installed. Mounts are found by the physical path of the root (a checkout
# reached through a symbolic link is the same root), unmounted when the script ends, passed or
# failed or interrupted, and go with the namespace in any case when its last process ends (even
# when the script is killed). The root is removed only when nothing is mounted below it. The
# bind of /dev still gives the commands in the root this machine's devices (Xorg opens a
# virtual terminal), as a chroot does.
#
# Processes: each step (removing the last root, debootstrap, unpacking, cloning, installing,
# testing) runs in a PID namespace of its own with a /proc of that namespace, and is waited for
# in the background, so that a signal ends the run at once. Ending a step ends everything it
# started, daemons too; the steps end as well when the script is killed. The commands inside
# the root see only their own processes. The tests run in a network namespace of their own too
# (after the packages are installed with the network): an X server started there must not take,
# or reach, a display number of this machine through the abstract socket namespace, which a
# chroot does not separate.
set -euo pipefail
# Set first: without a trap, bash ignores a SIGINT that reaches it alone while a command runs in
# the foreground. The clean-up (an EXIT trap) is set once the run has something to clean up.
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

fail() {
    echo "test-in-debian.sh: $*" >&2
    exit 1
}

case ${1:-} in
12 | bookworm) number=12 codename=bookworm ;;
13 | trixie) number=13 codename=trixie ;;
*) fail "usage: test-in-debian.sh 12|13 [CTEST ARGS...] (or bookworm|trixie)" ;;
esac
[[ $(id -u) -eq 0 ]] || fail "it needs root (debootstrap, mount, chroot)"

# --- A mount namespace of its own ---------------------------------------------------------------

# The script again, in a new mount namespace whose mounts are all private: it keeps its process
# (unshare does not fork), so a signal sent to it reaches the script. The variable names the
# namespace it came from, so that a stray one in the environment does not count.
self=$(realpath "${BASH_SOURCE[0]}")
namespace=$(readlink /proc/self/ns/mnt)
from=${VORLITH_DEBIAN_FROM_NAMESPACE:-}
if [[ -z $from || $from == "$namespace" ]]; then
    export VORLITH_DEBIAN_FROM_NAMESPACE=$namespace
    exec unshare --mount --propagation private -- "$BASH" "$self" "$@"
fi
unset VORLITH_DEBIAN_FROM_NAMESPACE
# Field 7 of mountinfo on: the optional fields, "shared:N" for a mount that propagates.
if awk '{ for (i = 7; $i != "-"; i++) if ($i ~ /^shared:/) found = 1 } END { exit !found }' \
    /proc/self/mountinfo; then
    fail "the mount namespace of the run has shared mounts"
fi
shift

repo=$(cd "$(dirname "$self")/.." && pwd -P)
commit=$(git -C "$repo" rev-parse HEAD)
if [[ -n $(git -C "$repo" status --porcelain --untracked-files=no) ]]; then
    echo "test-in-debian.sh: the work tree has uncommitted changes; testing $commit without them" >&2
fi
cache=$repo/build/debian-$number
root=$cache/root
[[ $root != *$'\n'* ]] || fail "the checkout's path has a line break"
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

# --- Steps: each in a PID namespace of its own ------------------------------------------------

step_pid=

# step [--net] [--in-root] [--log FILE] -- COMMAND...: runs COMMAND in a new PID namespace and
# waits for it in the background (bash runs a signal's trap only once the foreground command has
# ended). unshare stays as the namespace's parent and dies with the script (setpriv's
# parent-death signal); the namespace's first process dies with unshare (--kill-child), and with
# it every process of the namespace. --in-root: COMMAND runs in the root with a /proc of the
# namespace; --net: in a network namespace of its own too; --log: its output goes to FILE (only
# its: a trap that runs meanwhile writes where the script does).
step() {
    local options=(--pid --fork --kill-child) log=
    while [[ $1 != -- ]]; do
        case $1 in
        --net) options+=(--net) ;;
        --in-root) options+=(--mount-proc="$root/proc") ;;
        --log)
            log=$2
            shift
            ;;
        esac
        shift
    done
    shift
    if [[ -z $log ]]; then
        setpriv --pdeathsig KILL -- unshare "${options[@]}" -- "$@" &
    else
        setpriv --pdeathsig KILL -- unshare "${options[@]}" -- "$@" >"$log" 2>&1 &
    fi
    step_pid=$!
    local rc=0
    wait "$step_pid" || rc=$?
    step_pid=
    return "$rc"
}

in_root=(chroot "$root" env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin CI="${CI:-}")

# shellcheck disable=SC2317 # run by the EXIT trap
# The state and the parent of process PID, from /proc/PID/stat (its name in parentheses may hold
# spaces); nothing for a process that is gone.
state_and_parent() {
    local stat
    { stat=$(<"/proc/$1/stat"); } 2>/dev/null || return 0
    local state parent
    read -r state parent _ <<<"${stat##*) }"
    echo "$state $parent"
}

# shellcheck disable=SC2317 # run by the EXIT trap
# Ends the step that runs, if any, and everything in its PID namespace: SIGKILL to unshare,
# whose death kills the namespace's first process; that one ends (turns zombie) only once every
# other process of the namespace has ended, which is waited for (10 s at most).
end_step() {
    [[ -n $step_pid ]] || return 0
    local stat pid first=() state parent i
    for stat in /proc/[0-9]*/stat; do
        pid=${stat#/proc/}
        pid=${pid%/stat}
        read -r state parent < <(state_and_parent "$pid") || true
        if [[ ${parent:-} == "$step_pid" ]]; then
            first+=("$pid")
        fi
    done
    kill -s KILL "$step_pid" 2>/dev/null || true
    wait "$step_pid" 2>/dev/null || true
    step_pid=
    for pid in "${first[@]}"; do
        for ((i = 0; i < 100; i++)); do
            read -r state parent < <(state_and_parent "$pid") || true
            [[ -z ${state:-} || $state == Z ]] && break
            sleep 0.1
        done
    done
}

# --- Cleaning up: every process in the root, every mount below the root -----------------------

# Mount points under the root, deepest last (the order they were made in). /proc/self/mounts
# writes a space, tab, line break and backslash in a path as \040, \011, \012 and \134.
mounts_below() {
    local escaped=$root/ mount
    escaped=${escaped//\\/\\134}
    escaped=${escaped// /\\040}
    escaped=${escaped//$'\t'/\\011}
    ROOT=$escaped awk 'index($2 "/", ENVIRON["ROOT"]) == 1 { print $2 }' /proc/self/mounts |
        while IFS= read -r mount; do
            printf '%b\n' "$mount"
        done
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
    trap - EXIT
    # A second interrupt does not cut the clean-up short.
    trap '' INT TERM HUP
    local pids signal i
    # Whatever runs in the root is asked to end first (an X server puts its terminal back),
    # then the step is ended with all that it started, then anything left in the root.
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
        end_step
    done
    end_step
    # What the run made that is worth keeping: the release package built on that release, its
    # buildinfo, and the test log (with the reproducibility test's digests).
    rm -f "$cache/minbase.tar.new"
    local made=$root/src/vorlith/build
    if [[ -d $made ]]; then
        rm -rf "$cache/kept"
        mkdir -p "$cache/kept"
        cp "$made"/mingw/vorlith-*-win64.* "$made/native/Testing/Temporary/LastTest.log" \
            "$cache/kept/" 2>/dev/null || true
    fi
    local mount
    while IFS= read -r mount; do
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
        echo "test-in-debian.sh: the root of the run (failed or interrupted) stays in $root" >&2
    fi
    say "done, exit code $rc"
    exit "$rc"
}

# --- The root ------------------------------------------------------------------------------------

mkdir -p "$cache"
exec 9>"$cache/lock"
flock -n 9 || fail "another run uses $cache ($cache/lock)"
# A root that an earlier run left is removed, never while anything is mounted below it or runs
# in it (the clean-up would then end what is not this run's).
if [[ -e $root && (-n $(mounts_below) || -n $(processes_inside)) ]]; then
    fail "an earlier run still uses $root (mounts or processes); end it first"
fi
trap cleanup EXIT
if [[ -e $root ]]; then
    say "removing the root of the last run"
    step -- rm -rf --one-file-system "$root"
fi

if [[ ! -s $cache/minbase.tar ]]; then
    if ! command -v debootstrap >/dev/null; then
        say "installing debootstrap"
        DEBIAN_FRONTEND=noninteractive apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            debootstrap debian-archive-keyring >/dev/null
    fi
    say "debootstrap --variant=minbase $codename from $mirror"
    # ca-certificates: apt needs it for a mirror reached over https.
    step --log "$cache/debootstrap.log" -- \
        debootstrap --variant=minbase --include=ca-certificates "$codename" "$root" "$mirror" || {
        tail -n 30 "$cache/debootstrap.log" >&2
        fail "debootstrap failed (log: $cache/debootstrap.log)"
    }
    step -- tar -C "$root" -cf "$cache/minbase.tar.new" .
    mv "$cache/minbase.tar.new" "$cache/minbase.tar"
else
    say "unpacking the cached minimal root ($cache/minbase.tar)"
    mkdir -p "$root"
    step -- tar -C "$root" -xf "$cache/minbase.tar"
fi

cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $codename main
deb $mirror $codename-updates main
deb $security $codename-security main
EOF
cp -L /etc/resolv.conf "$root/etc/resolv.conf"

mkdir -p "$cache/apt-archives" "$root/var/cache/apt/archives"
mount --bind "$cache/apt-archives" "$root/var/cache/apt/archives"
mount -t sysfs sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
# A /dev/shm of the root's own, not this machine's.
mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"

say "cloning $commit into the root"
step -- git clone -q --no-hardlinks "$repo" "$root/src/vorlith"
git -C "$root/src/vorlith" checkout -q --detach "$commit"

say "installing what the tests need (scripts/deps.sh)"
step --in-root -- "${in_root[@]}" /src/vorlith/scripts/deps.sh
# The package cache is needed no more: the tests run without it.
umount "$root/var/cache/apt/archives"
say "Debian $(cat "$root/etc/debian_version") in $root"

say "running scripts/test.sh $*"
rc=0
# shellcheck disable=SC2016 # expanded inside the root
step --net --in-root -- "${in_root[@]}" bash -c 'cd /src/vorlith && exec scripts/test.sh "$@"' \
    test.sh "$@" || rc=$?
say "scripts/test.sh ended with exit code $rc"
exit "$rc"
