# Sourced first by every script that reaches Wine. With ZP350_64BIT_ONLY=1 it runs the
# calling script again as on a host that cannot execute 32-bit programs:
# - a folder of stand-ins comes first on PATH for every command of Debian's Wine packages
#   that starts the plain launcher (wine, winepath, msiexec, wineconsole, regedit, ...):
#   each says it cannot run and exits 126, as the launcher does there;
# - in a mount namespace of the run's own, Wine's 32-bit loader and 32-bit server are
#   replaced by a file that no kernel executes ("Exec format error"), so whatever reaches
#   them by their path, Wine's own 64-bit processes included, fails as it would there.
# Only the 64-bit loader ($WINE64, /usr/lib/wine/wine64) and wineserver keep working.
# The packages are installed first: the namespace hides the loader from apt too.

only_64bit_enter() { # the calling script's path and arguments
  [ -n "${ZP350_64BIT_ONLY:-}" ] || return 0
  [ -z "${ZP350_64BIT_ONLY_ACTIVE:-}" ] || return 0
  local root build standins fake name target
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  build="$root/${BUILD_DIR:-build}"
  bash "$root/scripts/setup.sh" >/dev/null || exit 1
  standins="$build/only-64bit/bin"
  fake="$build/only-64bit/i386-program"
  rm -rf "$build/only-64bit"
  mkdir -p "$standins"
  # An ELF header for another machine: the kernel refuses it with ENOEXEC.
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\050\000' >"$fake"
  chmod +x "$fake"
  for name in /usr/bin/*; do
    target=$(readlink -f "$name")
    case "$target" in
      /usr/bin/wine-stable | /usr/lib/wine/wineapploader | /usr/lib/wine/wine) ;;
      *) continue ;;
    esac
    printf '#!/bin/sh\necho "%s: Exec format error (ZP350_64BIT_ONLY: this host runs only the 64-bit Wine loader, /usr/lib/wine/wine64)" >&2\nexit 126\n' \
      "${name##*/}" >"$standins/${name##*/}"
    chmod +x "$standins/${name##*/}"
  done
  export ZP350_64BIT_ONLY_ACTIVE=1
  export PATH="$standins:$PATH"
  if unshare --mount --propagation private true 2>/dev/null; then
    # shellcheck disable=SC2016 # expanded by the inner shell
    exec unshare --mount --propagation private bash -c '
      fake=$1
      shift
      for loader in /usr/lib/wine/wine /usr/lib/wine/wineserver32; do
        [ -e "$loader" ] || continue
        mount --bind "$fake" "$loader" || {
          echo "zp350: cannot hide $loader for ZP350_64BIT_ONLY" >&2
          exit 1
        }
      done
      exec "$@"' only-64bit "$fake" bash "$@"
  fi
  echo "zp350: ZP350_64BIT_ONLY: no mount namespace here (unshare needs root); the plain" \
    "Wine commands are replaced, Wine's 32-bit loader stays reachable by its path" >&2
  exec bash "$@"
}
