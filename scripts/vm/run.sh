#!/usr/bin/env bash
# Runs a command of the project inside the test machine: the project folder is
# shared at the same path, the command's output appears here, and its exit
# status is this script's.
#   scripts/vm/run.sh bash scripts/test.sh --windows
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../lib.sh"
# One test machine at a time: its image is shared. NEB_VM_WRITE_IMAGE=1 (only
# for the image's own build, which holds the lock) keeps what the command
# writes in the image.
snapshot=on
if [ "${NEB_VM_WRITE_IMAGE:-0}" = 1 ]; then
  snapshot=off
else
  exec 9> "$NEB_VM_DIR.lock"
  flock 9
  bash "$here/build-image.sh"
fi

run="$NEB_ROOT/build/vm-run"
mkdir -p "$run"
rm -f "$run/status"
# The command's output goes through a pipe, so that no program in the test
# machine takes its output for a terminal (Wine would draw on it).
{
  echo "export NEB_IN_VM=1"
  printf 'export WINEPREFIX=%q\n' "/root/wineprefix"
  # The settings of the project's scripts that the command may read.
  for setting in NEB_PHASES NEB_SWEEP_EVERY NEB_SWEEP_FROM NEB_SWEEP_JOBS; do
    [ -n "${!setting:-}" ] && printf 'export %s=%q\n' "$setting" "${!setting}"
  done
  printf '%q ' "$@"
  echo '2>&1 | cat'
  echo 'exit "${PIPESTATUS[0]}"'
} > "$run/command.sh"

# The image is never changed by a run (its writes go to a temporary overlay),
# so every run starts from the same machine, with the Wine prefix made when the
# image was built. The processor model is plain enough that the emulator runs
# Wine's 32-bit code without faults.
timeout "${NEB_VM_TIMEOUT:-3000}" qemu-system-x86_64 \
  -accel tcg,thread=multi -cpu qemu64,+ssse3,+sse4.1,+sse4.2,+popcnt -smp 2 -m 4096 \
  -nographic -no-reboot \
  -kernel "$NEB_VM_DIR/vmlinuz" -initrd "$NEB_VM_DIR/initrd.img" \
  -append "root=/dev/vda rw console=ttyS0 quiet loglevel=3 init=/sbin/neb-init neb.dir=$NEB_ROOT" \
  -drive "file=$NEB_VM_DIR/rootfs.img,if=virtio,format=raw,snapshot=$snapshot" \
  -virtfs "local,path=$NEB_ROOT,mount_tag=neb,security_model=none,multidevs=remap" \
  < /dev/null | stdbuf -oL tr -d '\r' | sed -u -e 's/\x1b\[[0-9;?]*[a-zA-Z]//g' -e 's/\x1bc//g' \
  | grep -v -E '^(SeaBIOS|iPXE|Press Ctrl-B|Booting from ROM|\[ *[0-9.]+\] (sysrq|reboot):)' || true

if [ ! -f "$run/status" ]; then
  echo "vm: the test machine stopped before the command finished" >&2
  exit 1
fi
exit "$(cat "$run/status")"
