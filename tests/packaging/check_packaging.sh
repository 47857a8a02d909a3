#!/usr/bin/env bash
# Checks of what korvel installs, one per CTest test:
#   check_packaging.sh CHECK SOURCE_DIR BUILD_DIR KORVEL KORVEL_CLI KORVEL_SHOCK
set -euo pipefail
check=$1 src=$2 build=$3 korvel=$4 cli=$5 shock=$6
id=$(sed -n 's/^ApplicationId=//p' "$src/res/version_info.txt")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The options a program's --help lists, long and short.
help_options() { "$1" --help | grep -oE '(^|[ ,])--?[a-zA-Z][-a-zA-Z]*' | tr -d ' ,' | sort -u; }

case $check in
desktop-entry)
  desktop-file-validate "$src/res/$id.desktop"
  grep -q "^Icon=$id$" "$src/res/$id.desktop" || fail "the desktop entry's icon is not $id"
  ! grep -n '^X-' "$src/res/$id.desktop" || fail "the desktop entry has keys of its own"
  ;;
metainfo)
  appstreamcli validate --no-net --strict --pedantic "$build/res/$id.metainfo.xml"
  version=$("$cli" --version | head -1 | cut -d' ' -f2)
  grep -q "<release version=\"$version\"" "$build/res/$id.metainfo.xml" || fail "no release $version in the metainfo"
  grep -q "<launchable type=\"desktop-id\">$id.desktop<" "$build/res/$id.metainfo.xml" || fail "launchable is not $id.desktop"
  ;;
version-section)
  # Every line of the version block korvel-cli prints is in korvel's own section, in order.
  "$cli" --version | sed -n 's/^  \([A-Za-z]*\): \?\(.*\)$/\1=\2/p' >"$scratch/expected"
  [ "$(wc -l <"$scratch/expected")" = 9 ] || fail "korvel-cli --version does not list nine keys"
  readelf -p .korvel.version "$korvel" | sed -n 's/^ *\[ *[0-9a-f]*\]  //p' >"$scratch/section"
  grep -Fx -f "$scratch/expected" "$scratch/section" | diff "$scratch/expected" - ||
    fail "korvel's .korvel.version section differs from korvel-cli --version"
  ;;
man-pages)
  # Every option of --help is described in the man page's OPTIONS and completed by bash.
  for program in "$cli" "$shock"; do
    name=$(basename "$program")
    sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' "$build/packaging/$name.1" | sed 's/\\-/-/g; s/\\f[BIRP]//g' >"$scratch/page"
    for option in $(help_options "$program"); do
      grep -qE -- "(^|[^-a-z])$option([^-a-z]|$)" "$scratch/page" || fail "$name.1: no $option"
      grep -qE -- "(^|[^-a-z])$option([^-a-z]|$)" "$src/packaging/$name.bash" || fail "$name completion: no $option"
    done
  done
  for page in korvel korvel-cli korvel-shock; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$build/packaging/$page.1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
  done
  ;;
completion)
  # The half-sine counts after -n and --half-sines=, the options after a dash.
  complete_words() {
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=()
    _korvel_cli
    echo "${COMPREPLY[*]}"
  }
  compopt() { asked+=" $*"; }
  source "$src/packaging/korvel-cli.bash"
  [ "$(complete_words korvel-cli -n 1)" = "11 13 15 17 19" ] || fail "-n 1: $(complete_words korvel-cli -n 1)"
  asked=""
  [ "$(complete_words korvel-cli -n "")" = "3 5 7 9 11 13 15 17 19 21 23" ] || fail "-n: $(complete_words korvel-cli -n "")"
  complete_words korvel-cli -n "" >/dev/null
  [[ $asked == *"-o nosort"* ]] || fail "the half-sine counts are left to bash to sort as text"
  [ "$(complete_words korvel-cli --half-sines = 2)" = "21 23" ] || fail "--half-sines=2"
  [ "$(complete_words korvel-cli --h)" = "--half-sines --help" ] || fail "--h: $(complete_words korvel-cli --h)"
  [ -z "$(complete_words korvel-cli --rate "")" ] || fail "a number is not completed"
  # korvel-shock: its verbs, the peak rules, each verb's options.
  source "$src/packaging/korvel-shock.bash"
  shock_words() {
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=()
    _korvel_shock
    echo "${COMPREPLY[*]}"
  }
  [ "$(shock_words korvel-shock s)" = "srs sum synthesize" ] || fail "korvel-shock s: $(shock_words korvel-shock s)"
  [ "$(shock_words korvel-shock synthesize --u)" = "--units" ] || fail "korvel-shock synthesize --u"
  [ "$(shock_words korvel-shock srs --peak = c)" = "continuous" ] || fail "--peak=c"
  [ "$(shock_words korvel-shock srs --f)" = "--fraction --from --frequencies" ] ||
    fail "korvel-shock srs --f: $(shock_words korvel-shock srs --f)"
  [ -z "$(shock_words korvel-shock srs --q "")" ] || fail "korvel-shock: a number is not completed"
  ;;
icons)
  # The installed icons and the Windows icon group are the drawing script's output.
  python3 "$src/res/icons/make_icons.py" "$scratch"
  for icon in "$scratch"/*.png "$scratch/korvel.ico"; do
    cmp "$icon" "$src/res/icons/$(basename "$icon")" || fail "$(basename "$icon") is not what make_icons.py draws"
  done
  ;;
installed-tree)
  # The install holds exactly the files the package promises.
  DESTDIR="$scratch" cmake --install "$build" --prefix /usr >/dev/null
  (cd "$scratch/usr" && find . -type f | sed 's|^\./||' | sort) >"$scratch/installed"
  diff <(sort "$src/packaging/installed-files.txt") "$scratch/installed" || fail "installed files differ (< promised, > installed)"
  ;;
deb-control)
  # The package made of this build: its control file names korvel's homepage.
  homepage=$(sed -n 's/^KORVEL_HOMEPAGE:STRING=//p' "$build/CMakeCache.txt")
  (cd "$build" && cpack -G DEB -B "$scratch" >/dev/null) || fail "cpack could not make the package"
  field=$(dpkg-deb -f "$scratch"/korvel_*.deb Homepage)
  [ "$field" = "$homepage" ] || fail "the package's Homepage is \"$field\", not $homepage"
  ;;
installed-after-programs)
  # An install after building just the programs, as the README and tools/run
  # build them, holds every promised file. The programs themselves are this
  # build's: the scratch build's compiler and linker stand-ins copy them, and
  # everything else it makes on its own.
  cat >"$scratch/compile" <<'TEXT'
#!/bin/sh
while [ $# -gt 0 ]; do case $1 in -o) out=$2; shift ;; -MF) depfile=$2; shift ;; esac; shift; done
: >"$out"
if [ -n "${depfile:-}" ]; then echo "$out:" >"$depfile"; fi
TEXT
  cat >"$scratch/link" <<TEXT
#!/bin/sh
while [ \$# -gt 0 ]; do case \$1 in -o) out=\$2; shift ;; esac; shift; done
case \${out##*/} in
  korvel) cp "$korvel" "\$out" ;; korvel-cli) cp "$cli" "\$out" ;; korvel-shock) cp "$shock" "\$out" ;; *) : >"\$out" ;;
esac
TEXT
  chmod +x "$scratch/compile" "$scratch/link"
  cmake -S "$src" -B "$scratch/build" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER="$scratch/compile" \
    -DCMAKE_CXX_LINKER_LAUNCHER="$scratch/link" >/dev/null
  cmake --build "$scratch/build" --target korvel korvel-cli korvel-shock >/dev/null
  DESTDIR="$scratch/root" cmake --install "$scratch/build" --prefix /usr >/dev/null ||
    fail "cmake --install after building korvel, korvel-cli and korvel-shock"
  (cd "$scratch/root/usr" && find . -type f | sed 's|^\./||' | sort) >"$scratch/installed"
  diff <(sort "$src/packaging/installed-files.txt") "$scratch/installed" || fail "installed files differ (< promised, > installed)"
  ;;
*) fail "unknown check $check" ;;
esac
