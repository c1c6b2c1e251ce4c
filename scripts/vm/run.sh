#!/usr/bin/env bash
# Runs a command of the project inside the test machine: the project folder is
# shared at the same path, the command's output appears here, and its exit
# status is this script's.
#   scripts/vm/run.sh bash scripts/in-wine.sh
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../lib.sh"
# One test machine at a time: its image is shared.
exec 9> "$NEB_VM_DIR.lock"
flock 9
bash "$here/build-image.sh"

run="$NEB_ROOT/build/vm-run"
mkdir -p "$run"
rm -f "$run/status"
# The command's output goes through a pipe, so that no program in the test
# machine takes its output for a terminal (Wine would draw on it).
{
  echo "export NEB_IN_VM=1"
  printf 'export WINEPREFIX=%q\n' "/root/wineprefix"
  printf '%q ' "$@"
  echo '2>&1 | cat'
  echo 'exit "${PIPESTATUS[0]}"'
} > "$run/command.sh"

# The image is never changed by a run (its writes go to a temporary overlay),
# so every run starts from the same machine. The second processor model is plain enough that the emulator runs Wine's
# 32-bit code without faults.
timeout "${NEB_VM_TIMEOUT:-3000}" qemu-system-x86_64 \
  -accel tcg,thread=multi -cpu qemu64,+ssse3,+sse4.1,+sse4.2,+popcnt -smp 2 -m 4096 \
  -nographic -no-reboot \
  -kernel "$NEB_VM_DIR/vmlinuz" -initrd "$NEB_VM_DIR/initrd.img" \
  -append "root=/dev/vda rw console=ttyS0 quiet loglevel=3 init=/sbin/neb-init neb.dir=$NEB_ROOT" \
  -drive "file=$NEB_VM_DIR/rootfs.img,if=virtio,format=raw,snapshot=on" \
  -virtfs "local,path=$NEB_ROOT,mount_tag=neb,security_model=none,multidevs=remap" \
  < /dev/null | stdbuf -oL tr -d '\r' | sed -u -e 's/\x1b\[[0-9;?]*[a-zA-Z]//g' -e 's/\x1bc//g' \
  | grep -v -E '^(SeaBIOS|iPXE|Press Ctrl-B|Booting from ROM|\[ *[0-9.]+\] (sysrq|reboot):)' || true

if [ ! -f "$run/status" ]; then
  echo "vm: the test machine stopped before the command finished" >&2
  exit 1
fi
exit "$(cat "$run/status")"
