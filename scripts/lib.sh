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
    # A mirror caught in the middle of a sync fails an index now and then, and
    # with it a package of the other architecture: tried again a little later.
    local try
    for try in 1 2 3 4; do
      as_root apt-get update -q || echo "setup: not every package list could be fetched"
      DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends \
        "${missing[@]}" && return 0
      [ "$try" -lt 4 ] && sleep $((try * 30))
    done
    return 1
  fi
}

# True when the kernel itself runs 32-bit x86 programs: tries a 91-byte i386
# program that only exits with status 0. An emulator registered for i386
# programs does not count: Wine does not run under it.
# NEB_FORCE_VM=1 makes it false, so that the test machine's path can be tried
# on any machine.
can_run_i386() {
  [ "${NEB_FORCE_VM:-0}" = 1 ] && return 1
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

# Runs a command of the project where Wine runs: here, or in the test machine.
#   where_wine_runs COMMAND...
where_wine_runs() {
  if can_run_i386; then
    "$@"
  else
    bash "$NEB_ROOT/scripts/vm/run.sh" "$@"
  fi
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

# The test command's phases and their times, one line each (name, seconds,
# exit status), in the file NEB_PHASES names; the test machine writes its own
# phases there too, through the shared project folder.
#   phase NAME COMMAND...
phase() {
  local name=$1 start status
  shift
  start=$(date +%s)
  "$@"
  status=$?
  if [ -n "${NEB_PHASES:-}" ]; then
    printf '%s\t%s\t%s\n' "$name" $(($(date +%s) - start)) "$status" >> "$NEB_PHASES"
  fi
  return $status
}

# The table of the phases, their times and results, and the time of the whole
# command (phases side by side overlap; steps between phases are not listed):
#   print_phases SECONDS
print_phases() {
  awk -F'\t' -v whole="$1" '
    function clock(s) { return sprintf("%d:%02d", s / 60, s % 60) }
    BEGIN { printf "%-48s %8s  %s\n", "phase", "time", "result" }
    { printf "%-48s %8s  %s\n", $1, clock($2), ($3 == 0 ? "passed" : "FAILED (" $3 ")") }
    END { printf "%-48s %8s\n", "the whole test command", clock(whole) }' "$NEB_PHASES"
}
