# Shared by the project's scripts: where things are, and whether this machine
# can run 32-bit x86 programs itself.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export NEB_ROOT="$root"
# The test machine image used where 32-bit programs cannot run directly.
export NEB_VM_DIR="${NEB_VM_DIR:-/var/cache/nebvdata-testvm}"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages that are missing.
install_packages() {
  local missing=() p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root apt-get update -q
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

# True when the kernel itself runs 32-bit x86 programs: tries a 91-byte i386
# program that only exits with status 0. An emulator registered for i386
# programs does not count: Wine does not run under it.
can_run_i386() {
  local probe
  for probe in /proc/sys/fs/binfmt_misc/*; do
    if grep -qs '^magic 7f454c46010101' "$probe" && grep -qsx enabled "$probe"; then
      return 1
    fi
  done
  probe=$(mktemp)
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5b\x00\x00\x00\x5b\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\x31\xc0\x40\x31\xdb\xcd\x80' > "$probe"
  chmod +x "$probe"
  local ok=1
  if "$probe" 2>/dev/null; then ok=0; fi
  rm -f "$probe"
  return $ok
}

# A path of this machine as Wine's programs see it, and as a JSON string holds it.
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
json_path() { local p; p=$(winpath "$1"); echo "${p//\\/\\\\\\\\}"; }

# The example names its files by where they lie here; the job goes to FOLDER.
#   example_publication FOLDER > FILE
example_publication() {
  sed -e "s|@EXAMPLES@|$(json_path "$NEB_ROOT/examples")|" \
      -e "s|@FONTMAP@|$(json_path "$NEB_ROOT/build/win32/nebvdata.vda")|" \
      -e "s|C:\\\\\\\\Jobs\\\\\\\\Card.pub|$(json_path "$1/Card.pub")|" \
      "$NEB_ROOT/examples/card.pub.json"
}
