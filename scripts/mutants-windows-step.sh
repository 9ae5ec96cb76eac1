#!/usr/bin/env bash
# One step of scripts/mutants-windows.sh, run in the mutation tool's scratch copy:
#   build   builds the 64-bit Wine test programs that cover the mutated file's folder (all of
#           them when no file is mutated)
#   test    runs those programs under Wine; exit 0 when all pass
set -euo pipefail
cd "$(dirname "$0")/.."
step=$1
mutated=""
for f in $ZP350_MUTANTS_FILES; do
  cmp -s "$ZP350_MUTANTS_ORIGIN/$f" "$f" || mutated=$f
done
# The test programs that exercise each folder's code.
case "${mutated%%/*}" in
  app) groups="app reader scaling" ;;
  controls) groups="controls app scaling" ;;
  menu) groups="menu controls scaling" ;;
  reader) groups="reader" ;;
  *) groups="app controls menu reader scaling" ;;
esac
targets=()
for g in $groups; do targets+=("win32_${g}_tests"); done
if [ "$step" = build ]; then
  [ -f build/win64/build.ninja ] || cmake --preset win64 >/dev/null
  exec cmake --build build/win64 --target "${targets[@]}" >/dev/null
fi
source scripts/wine-env.sh
# A mutant that crashes a test program ends it at once, instead of Wine's debugger holding it.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d"
wine_env_start
for t in "${targets[@]}"; do
  "$WINE64" "build/win64/$t.exe" --gtest_brief=1 >/dev/null 2>&1 </dev/null
done
