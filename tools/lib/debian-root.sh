# Fresh Debian roots: made with mmdebstrap, entered with chroot, taken down on
# every way out. Sourced by tools/fresh-debian and tools/package-web.
#
#   debian_root_suite 12|13|bookworm|trixie   prints the suite name
#   debian_root_make SUITE DIR [PACKAGE,...]  a new root in DIR (must not exist)
#   debian_root_mount DIR                     /proc, /sys, /dev, /dev/pts, /dev/shm
#   debian_root_run DIR COMMAND...            runs COMMAND inside, as root, with
#                                             a new user's environment
#   debian_root_unmount DIR                   ends what runs inside, unmounts
#                                             everything mounted below DIR
#   debian_root_remove DIR                    unmounts, then deletes DIR
# Every function needs root. The caller sets its own traps; debian_root_remove
# is safe to call twice and on a DIR that was never made.

debian_root_say() { echo "${debian_root_name:-debian-root}: $*" >&2; }

debian_root_suite() {
  case "$1" in
    12 | bookworm) echo bookworm ;;
    13 | trixie) echo trixie ;;
    *) debian_root_say "unknown Debian release \"$1\": say 12 (bookworm) or 13 (trixie)"; return 2 ;;
  esac
}

debian_root_number() {
  case "$1" in bookworm) echo 12 ;; trixie) echo 13 ;; *) echo "$1" ;; esac
}

# mmdebstrap is the one package the host itself needs.
debian_root_need_mmdebstrap() {
  command -v mmdebstrap >/dev/null && return 0
  debian_root_say "installing mmdebstrap (Debian's tool for making a root)"
  if ! { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    --no-install-recommends mmdebstrap >/dev/null; }; then
    debian_root_say "could not install mmdebstrap: install it by hand (apt-get install mmdebstrap) and try again"
    return 1
  fi
}

debian_root_make() {
  local suite=$1 dir=$2 include=ca-certificates${3:+,$3} log
  debian_root_need_mmdebstrap || return 1
  log=$(mktemp)
  # The release's own archive, its updates and its security fixes: what a new
  # machine of that release installs from.
  if ! mmdebstrap --variant=apt --include="$include" "$suite" "$dir" \
    "deb http://deb.debian.org/debian $suite main" \
    "deb http://deb.debian.org/debian $suite-updates main" \
    "deb http://deb.debian.org/debian-security $suite-security main" >"$log" 2>&1; then
    debian_root_say "could not make a fresh Debian $(debian_root_number "$suite") root: is Debian's package archive (deb.debian.org) reachable from here? mmdebstrap said:"
    tail -n 15 "$log" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
  # An installed machine knows its own loopback names (the installer writes
  # them; Debian 12's packages do not), and programs that talk to a local
  # service by the name localhost, such as a browser's driver, need them.
  [ -e "$dir/etc/hosts" ] || printf '127.0.0.1\tlocalhost\n::1\t\tlocalhost ip6-localhost ip6-loopback\n' >"$dir/etc/hosts"
}

debian_root_mount() {
  local dir=$1
  mount -t proc proc "$dir/proc"
  mount -t sysfs -o ro sysfs "$dir/sys"
  mount --bind /dev "$dir/dev"
  mount --bind /dev/pts "$dir/dev/pts"
  # A shared-memory folder of the root's own (browsers and Wine use it).
  mount -t tmpfs -o mode=1777,size=1g tmpfs "$dir/dev/shm"
}

debian_root_run() {
  local dir=$1
  shift
  chroot "$dir" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 "$@"
}

# The mount points at or below DIR, deepest first.
debian_root_mounts() {
  awk -v dir="$1" '{ gsub(/\\040/, " ", $5) } $5 == dir || index($5, dir "/") == 1 { print $5 }' \
    /proc/self/mountinfo | sort -r
}

# Ends every process whose root is DIR (a test's Xvfb or wineserver may
# outlive its command) and unmounts everything mounted below DIR (what
# debian_root_mount mounted, and whatever the caller bound in).
debian_root_unmount() {
  local dir=$1 link pid mount
  [ -d "$dir" ] || return 0
  dir=$(cd "$dir" && pwd -P)
  for signal in TERM KILL; do
    for link in /proc/[0-9]*/root; do
      [ "$(readlink "$link" 2>/dev/null)" = "$dir" ] || continue
      pid=${link#/proc/}
      kill -s "$signal" "${pid%/root}" 2>/dev/null || true
    done
    sleep 0.5
  done
  debian_root_mounts "$dir" | while read -r mount; do
    umount "$mount" 2>/dev/null || umount -l "$mount"
  done
}

debian_root_remove() {
  local dir=$1
  [ -n "$dir" ] && [ -d "$dir" ] || return 0
  debian_root_unmount "$dir"
  dir=$(cd "$dir" && pwd -P)
  # A folder bound in from the same disk would not stop rm: never delete
  # while anything is mounted below.
  if [ -n "$(debian_root_mounts "$dir")" ]; then
    debian_root_say "something is still mounted below $dir: leaving it in place"
    return 1
  fi
  rm -rf --one-file-system "$dir"
}
