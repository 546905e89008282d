# shellcheck shell=bash
# Sourced by the checks that run on a fresh Debian 12 root. The sourcing
# script sets `root` (the folder of that root) and defines `step` (its
# progress line) first. Whatever is mounted into the root is unmounted when
# the script exits, in the reverse order.

: "${root:?the sourcing script sets root before it sources chroot.sh}"
mounted=()
unmount_all() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
}
trap unmount_all EXIT

# mount_into SOURCE PATH [MOUNT OPTIONS...]: mounts SOURCE at PATH inside the root.
mount_into() { mkdir -p "$root$2"; mount "${@:3}" "$1" "$root$2"; mounted+=("$root$2"); }

# A minimal bookworm in the root unless it has one already (DEBIAN_MIRROR
# picks the mirror), with the host's resolver, /proc and /dev.
prepare_root() {
  command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
  if [ ! -x "$root/usr/bin/apt-get" ]; then
    step "debootstrap --variant=minbase bookworm into $root"
    local start=$SECONDS
    debootstrap --variant=minbase bookworm "$root" "${DEBIAN_MIRROR:-http://deb.debian.org/debian}" >/dev/null
    step "took $((SECONDS - start)) s"
  fi
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  mount_into proc /proc -t proc
  mount_into /dev /dev --rbind
  mount --make-rslave "$root/dev"
}

# Runs a command inside the root as root, with a clean environment.
in_root() { chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
