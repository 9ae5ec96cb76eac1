#!/usr/bin/env bash
# clang-tidy with the project's checks (.clang-tidy) over the program's own sources: the pure
# logic as the native tree compiles it, then the code that calls Windows as the 64-bit tree
# compiles it (clang reading the mingw-w64 headers for that target). Each tree is configured
# from its preset when it is not yet; nothing is built.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/setup.sh >/dev/null

for tree in native win64; do
  [ -f "$B/$tree/compile_commands.json" ] && continue
  cmake --preset "$tree" -B "$B/$tree" >"$B/$tree.configure.log" 2>&1 || {
    cat "$B/$tree.configure.log" >&2
    echo "zp350: cannot configure the $tree build (log above)" >&2
    exit 1
  }
done

# The sources a tree compiles into `library`, once each.
sources_of() { # tree, library
  python3 - "$B/$1/compile_commands.json" "$2" <<'PY'
import json, sys
entries = json.load(open(sys.argv[1]))
wanted = "/" + sys.argv[2] + ".dir/"
print("\n".join(sorted({e["file"] for e in entries if wanted in e["command"]})))
PY
}

tidy() { # tree, what, clang-tidy arguments...
  local tree=$1 what=$2
  shift 2
  echo "== clang-tidy: $what ($tree tree)"
  sources_of "$tree" "$([ "$tree" = native ] && echo pure || echo core)" |
    xargs -P 2 -n 4 clang-tidy-14 --quiet -p "$B/$tree" "$@" >"$B/lint-$tree.log" 2>&1 || {
    grep -E '(error|warning): ' "$B/lint-$tree.log" >&2 || cat "$B/lint-$tree.log" >&2
    echo "zp350: clang-tidy found faults in the $what (above)" >&2
    exit 1
  }
}

tidy native "pure logic"
# The C++ library's folders are the ones the 64-bit tree's own compiler searches.
cxx_dirs=()
while read -r dir; do
  cxx_dirs+=("--extra-arg=-isystem$dir")
done < <(x86_64-w64-mingw32-g++-posix -xc++ -E -v /dev/null 2>&1 |
  sed -n 's|^ \(/.*/include/c++.*\)$|\1|p')
tidy win64 "Windows code" --extra-arg-before=--target=x86_64-w64-mingw32 "${cxx_dirs[@]}"
echo "lint: no findings"
