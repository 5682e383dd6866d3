#!/usr/bin/env bash
# Proves the README's two set-up commands on a fresh machine: builds a minimal Debian 12 root
# (debootstrap, variant minbase: no sudo, git, python3 or locales), clones this checkout's HEAD
# into it and, inside it with chroot, runs the test command (bash scripts/test.sh), then the run
# command (bash scripts/run.sh) on the offscreen platform, which must build the program and keep
# the window running for a few seconds. Everything is unmounted and removed afterwards, also when
# a step fails. Needs root; the root's packages come from this machine's own package source.
#
#   bash scripts/check-fresh-debian.sh [--keep] [--reuse ROOT] [--skip-tests]
#
# --keep leaves the root (in /var/tmp) for a look afterwards; --reuse ROOT takes such a kept root
# again instead of a new one (quicker, but no longer fresh: for trying a fix); --skip-tests checks
# only the run command.
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD

keep=0
tests=1
reuse=""
while (($#)); do
    case "$1" in
    --keep) keep=1 ;;
    --skip-tests) tests=0 ;;
    --reuse)
        reuse=${2:-}
        shift
        ;;
    *) reuse=/ ;;
    esac
    shift
done
if [ "$reuse" = / ] || { [ -n "$reuse" ] && [ ! -d "$reuse/srv" ]; }; then
    echo "usage: $0 [--keep] [--reuse ROOT] [--skip-tests] (ROOT: a root kept by --keep)" >&2
    exit 2
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "$0: needs root (debootstrap, mount, chroot)" >&2
    exit 2
fi

# The first URIs line of the machine's deb822 sources, else its sources.list, else Debian's own.
mirror=$(sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)
if [ -z "$mirror" ]; then
    mirror=$(awk '$1 == "deb" { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
fi
mirror=${mirror:-http://deb.debian.org/debian}

if ! command -v debootstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fi

if [ -n "$reuse" ]; then
    root=$(cd "$reuse" && pwd)
    keep=1
else
    root=$(mktemp -d /var/tmp/vlnokan-fresh.XXXXXX)
    chmod 755 "$root"
fi

# Ends every process still running inside the root (a print scheduler, a Wine server, the window)
# so that nothing keeps the mounts busy, then unmounts and removes the root.
cleanup() {
    local status=$?
    set +e
    local link
    for process in /proc/[0-9]*; do
        link=$(readlink "$process/root" 2>/dev/null) || continue
        case "$link" in
        "$root" | "$root"/*) kill -9 "${process#/proc/}" 2>/dev/null ;;
        esac
    done
    sleep 1
    for mount in $(awk -v root="$root" 'index($2, root) == 1 { print $2 }' /proc/self/mounts | sort -r); do
        umount -R "$mount" 2>/dev/null || umount -l "$mount" 2>/dev/null
    done
    if awk -v root="$root" 'index($2, root) == 1 { found = 1 } END { exit !found }' /proc/self/mounts; then
        echo "$0: could not unmount everything under $root" >&2
        status=1
    elif [ "$keep" -eq 1 ]; then
        echo "Clean root kept in $root"
    else
        rm -rf "$root"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

step() { printf '\n== %s (%s)\n' "$1" "$(date -u +%H:%M:%S)"; }

if [ -z "$reuse" ]; then
    step "debootstrap --variant=minbase bookworm from $mirror"
    debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 || {
        tail -n 30 "$root.log" >&2
        rm -f "$root.log"
        exit 1
    }
    rm -f "$root.log"

    # The same package sources as this machine (updates and security included), so the root gets
    # the versions a freshly installed machine would.
    if ls /etc/apt/sources.list.d/*.sources >/dev/null 2>&1; then
        cp /etc/apt/sources.list.d/*.sources "$root/etc/apt/sources.list.d/"
        : >"$root/etc/apt/sources.list"
    fi
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    # No services started by package scripts inside the chroot: the tests start their own.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
fi

mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --make-rslave "$root/sys"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"
mount -t tmpfs tmpfs "$root/tmp"

step "clone $(git rev-parse --short HEAD)"
# Not under /root (mode 0700): the print tests' private scheduler runs its filters as the print
# system's user lp, which must reach the spool folders in the build tree.
rm -rf "$root/root/vlnokan" "$root/srv/vlnokan"
git clone -q --no-hardlinks "$project" "$root/srv/vlnokan"

# In the background and waited for, so that a signal reaches the clean-up at once.
inside() {
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 CI="${CI:-}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        /bin/bash -c "cd /srv/vlnokan && $1" &
    wait $!
}

if [ "$tests" -eq 1 ]; then
    step "README's test command: bash scripts/test.sh"
    inside "bash scripts/test.sh"
fi

# The run command execs the window program once it is built: wait for that, then it must stay up.
step "README's run command: bash scripts/run.sh (offscreen)"
inside 'export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$(mktemp -d)
bash scripts/run.sh >/tmp/run.log 2>&1 &
pid=$!
while kill -0 "$pid" 2>/dev/null; do
    case "$(readlink "/proc/$pid/exe")" in */app/vlnokan) break ;; esac
    sleep 1
done
if ! kill -0 "$pid" 2>/dev/null; then
    tail -n 30 /tmp/run.log
    echo "run command ended before the window started"
    exit 1
fi
sleep 5
if ! kill -0 "$pid" 2>/dev/null; then
    tail -n 30 /tmp/run.log
    echo "the window ended within 5 seconds of its start"
    exit 1
fi
kill "$pid"
echo "the window started and ran for 5 seconds"'

step "done in $((SECONDS / 60)) min $((SECONDS % 60)) s"
