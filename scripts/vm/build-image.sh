#!/usr/bin/env bash
# Builds the test machine: a Debian system with Wine for 32-bit programs, a
# virtual display, CTest and jq (with which the fault sweep judges its runs),
# booted under full-system emulation where the kernel of this machine cannot
# run 32-bit programs, with the project's Wine prefix made in it once, by the
# test machine itself. Rebuilt only when this script, the machine's first
# process or the prefix's script changes.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../lib.sh"

stamp=$(cat "$here/build-image.sh" "$here/neb-init" "$here/../wine-prefix.sh" | sha256sum | cut -c1-16)
if [ -f "$NEB_VM_DIR/ready-$stamp" ]; then
  exit 0
fi

install_packages debootstrap qemu-system-x86 e2fsprogs

echo "vm: building the test machine image in $NEB_VM_DIR (takes a few minutes)"
as_root rm -rf "$NEB_VM_DIR"
as_root mkdir -p "$NEB_VM_DIR"
sysroot="$NEB_VM_DIR/root"
as_root debootstrap --variant=minbase --include=linux-image-amd64,kmod,initramfs-tools \
  bookworm "$sysroot" http://deb.debian.org/debian > "$NEB_VM_DIR/debootstrap.log" 2>&1 || {
  tail -20 "$NEB_VM_DIR/debootstrap.log"; exit 1; }

cleanup() {
  for m in var/cache/apt/archives dev sys proc; do
    mountpoint -q "$sysroot/$m" && as_root umount "$sysroot/$m" || true
  done
}
trap cleanup EXIT
as_root mount -t proc proc "$sysroot/proc"
as_root mount -t sysfs sys "$sysroot/sys"
as_root mount --bind /dev "$sysroot/dev"
as_root mount --bind /var/cache/apt/archives "$sysroot/var/cache/apt/archives"
as_root chroot "$sysroot" dpkg --add-architecture i386
as_root chroot "$sysroot" apt-get update -q > "$NEB_VM_DIR/packages.log" 2>&1
# Some i386 packages run i386 helpers while they are configured; those fail
# here and are not needed by Wine.
DEBIAN_FRONTEND=noninteractive as_root chroot "$sysroot" apt-get install -y -q \
  --no-install-recommends wine wine32:i386 fonts-wine xvfb xauth x11-apps cmake jq >> "$NEB_VM_DIR/packages.log" 2>&1 || {
  tail -20 "$NEB_VM_DIR/packages.log"; exit 1; }
cleanup
trap - EXIT

as_root install -m 755 "$here/neb-init" "$sysroot/sbin/neb-init"
kernel=$(ls "$sysroot"/boot/vmlinuz-* | head -n1)
initrd=$(ls "$sysroot"/boot/initrd.img-* | head -n1)
as_root cp "$kernel" "$NEB_VM_DIR/vmlinuz"
as_root cp "$initrd" "$NEB_VM_DIR/initrd.img"
as_root mke2fs -q -t ext4 -d "$sysroot" -L nebroot "$NEB_VM_DIR/rootfs.img" 4G
as_root rm -rf "$sysroot"
echo "vm: making the Wine prefix in the image"
NEB_VM_WRITE_IMAGE=1 bash "$here/run.sh" bash scripts/wine-prefix.sh
as_root touch "$NEB_VM_DIR/ready-$stamp"
echo "vm: image ready"
