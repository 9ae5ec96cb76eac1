#!/usr/bin/env bash
# The installers under Wine, in a prefix of their own (build/wineprefix-msi), for each flavour
# the host can run (64-bit always, 32-bit where the host executes 32-bit programs):
# - a silent install puts the programs, the Start menu shortcut, the PATH entry, the profile
#   file type (.zp350) and the "Apps & features" entry in place, and the companion starts from
#   the PATH; a profile opened with "start" (which follows the association, as Explorer
#   does) starts the program with the profile loaded;
# - the next version installs over it: one entry, of the next version, the folder once on
#   the PATH (the whole PATH string: the folder, then what was there); the same version again
#   changes nothing;
# - a silent uninstall leaves the prefix's files, its software registry and its PATH (the
#   whole string, character for character) as they were;
# - one product per machine (where both flavours are tried): the other flavour installed over
#   one replaces it: one entry, one folder, one PATH entry; its removal leaves all as before.
# - where another program has the .zp350 association, it keeps it through install and
#   removal; the file type is added beside it and taken away again.
# - the reader set-up service: none without PROFILE; with PROFILE the service (automatic
#   start, local service, its event source) and the profile under %ProgramData%\ZP350; the
#   next version without PROFILE keeps both, the same version again with a new PROFILE
#   replaces the profile, a PROFILE that is no profile fails and changes nothing, and the
#   uninstall leaves no service, event source, profile or folder. (Its applying the profile
#   to readers is tried against the virtual reader: scripts/e2e.sh <arch> service.)
# The installers are built here from the build tree's programs (scripts/msi.sh), as the
# version in CMakeLists.txt and the one after it.
set -euo pipefail
source "$(dirname "$0")/../../scripts/only-64bit.sh"
only_64bit_enter "$0" "$@"
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
source tests/release/checks.sh
source scripts/wine-env.sh
export WINEPREFIX="$BUILD_ROOT/wineprefix-msi"
# Wine's menu builder would copy the shortcut into the host's own desktop menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe="
ENV_KEY='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
NAME="ZP350 configuration tool"
W=$BUILD_ROOT/installer-test
rm -rf "$W"
mkdir -p "$W"

version=$(sed -n 's/^project(zp350_tool VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
next=${version%.*}.$((${version##*.} + 1))

# A value from the registry, as the given loader's reg sees it (the 32-bit one sees the
# 32-bit programs' view).
reg_value() { # loader, key, name
  "$1" reg query "$2" /v "$3" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$3 *REG_[A-Z_]* *//p"
}
reg_default() { # loader, key: its default value
  "$1" reg query "$2" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_[A-Z_]* *//p'
}
path_string() { # the system PATH, as the registry holds it
  reg_value "$WINE64" "$ENV_KEY" PATH
}
path_entries() { # the system PATH, one entry a line
  path_string | tr ';' '\n'
}
entries() { # the "Apps & features" entries of the product, one product code a line
  "$WINE64" uninstaller --list | tr -d '\r' | sed -n "s/^\(.*\)|||$NAME\$/\1/p"
}
msiexec() { # /i or /x, package, [PROPERTY=value...]
  local package
  package=$("$WINE64" winepath -w "$2" 2>/dev/null) && [ -n "$package" ] || return 90
  "$WINE64" msiexec "$1" "$package" "${@:3}" /qn >/dev/null 2>&1
}
# What an uninstall must leave as it was: the files of drive C and the software registry of
# the machine and the user. Left out: Wine's temporary folders and its own settings, and the
# Windows Installer's own folder and keys, which every Windows has and which a prefix gets
# with the first package it installs.
INSTALLER_OWN='^\[HKEY_LOCAL_MACHINE\\Software\\(Classes\\Installer|Microsoft\\Windows\\CurrentVersion\\Installer)(\\(Features|Products|UpgradeCodes|UserData|UserData\\S-1-5-18|UserData\\S-1-5-18\\(Components|Products)))?\]$'
snapshot() { # name
  find "$WINEPREFIX/drive_c" | grep -v -i -e '/windows/temp/' -e '/AppData/Local/Temp/' |
    grep -v -x -F "$WINEPREFIX/drive_c/windows/Installer" | sort >"$W/$1.files"
  local root
  for root in HKLM HKCU; do
    "$WINE64" reg export "$root\\Software" "$W/export.reg" /y >/dev/null 2>&1
    # Wine's own settings (its "Temporary System Parameters" come and go) are not ours.
    iconv -f UTF-16 -t UTF-8 "$W/export.reg" | tr -d '\r' |
      awk '/^\[/ { wine = index($0, "\\Software\\Wine\\") > 0 } !wine' |
      grep -v -E -e "$INSTALLER_OWN" -e '^\s*$' >"$W/$1.${root,,}"
  done
  path_string >"$W/$1.path"
}

check_installed() { # case, expected version
  local c=$1 codes
  expect_ok "$c: zp350tool.exe is the built program" cmp "$dir/zp350tool.exe" "$tool"
  expect_ok "$c: zp350cli.exe is the built command line" cmp "$dir/zp350cli.exe" "$cli"
  # Windows puts a per-machine shortcut in the common Start menu; Wine's installer puts it
  # in the user's ("set to AllUsers profile path if ALLUSERS is set" is a FIXME there).
  local links
  links=$(find "$WINEPREFIX/drive_c" -name "$NAME.lnk" | wc -l)
  expect_eq "$c: Start menu shortcuts" "$links" 1
  expect_ok "$c: the shortcut starts the installed program" \
    grep -a -q -F "$windir\\zp350tool.exe" "$(find "$WINEPREFIX/drive_c" -name "$NAME.lnk")"
  expect_eq "$c: the folder on the PATH" "$(path_entries | grep -c -x -F "$windir\\")" 1
  # The whole string: the folder first, then the PATH as it was (no empty entry, at which
  # Wine's cmd would stop its search).
  expect_eq "$c: the PATH" "$(path_string)" "$windir\\;$(cat "$W/before-$arch.path")"
  local out code=0 command=(cmd /c zp350cli --help)
  out=$("$WINE64" "${command[@]}" 2>&1 | tr -d '\r' | head -1) || code=$?
  expect_eq "$c: '${command[*]}', exit code" "$code" 0
  expect_eq "$c: '${command[*]}', first line" "${out%% \[*}" "Usage: zp350cli"
  codes=$(entries)
  expect_eq "$c: Apps & features entries" "$(echo "$codes" | sed '/^$/d' | wc -l)" 1
  local key="$UNINSTALL_KEY\\$codes"
  expect_eq "$c: entry's version" "$(reg_value "$loader" "$key" DisplayVersion)" "$2"
  expect_eq "$c: entry's publisher" "$(reg_value "$loader" "$key" Publisher)" "ZP350 tools"
  expect_eq "$c: .zp350 opens as" "$(reg_default "$loader" 'HKCR\.zp350')" ZP350.Profile
  check_profile_type "$c"
}

check_profile_type() { # case
  local c=$1 type='HKCR\ZP350.Profile'
  expect_eq "$c: the file type's description" "$(reg_default "$loader" "$type")" \
    "ZP350 reader profile"
  expect_eq "$c: its icon" "$(reg_default "$loader" "$type\DefaultIcon")" "$windir\zp350tool.exe,0"
  expect_eq "$c: its command" "$(reg_default "$loader" "$type\shell\open\command")" \
    "\"$windir\zp350tool.exe\" \"%1\""
}

# A profile opened as Explorer opens it: the program starts with it loaded. Return leads past
# the welcome window; the settings window's status line names the file; Escape ends it.
check_profile_opens() { # case
  local c=$1 status="" shown=no
  printf 'tracks = 2\ncr = none\n' >"$WINEPREFIX/drive_c/till test.zp350"
  # Wine keeps the classes a 32-bit installer registers in the 32-bit view (Windows shares
  # them): the flavour's own loader starts the profile.
  "$loader" cmd /c start '""' 'C:\till test.zp350' >/dev/null 2>&1 </dev/null || true
  for _ in $(seq 100); do
    probe welcome ready 1 && shown=yes && break
    sleep 0.2
  done
  expect_eq "$c: start of a profile shows the welcome window" "$shown" yes
  xdotool key Return
  local expected="Profile loaded: till test.zp350"
  for _ in $(seq 100); do
    status=$(probe settings text 1023) && [ "$status" = "$expected" ] && break
    sleep 0.2
  done
  expect_eq "$c: start of a profile, the status line" "$status" "$expected"
  xdotool key Escape
  for _ in $(seq 50); do
    probe settings text 1023 || break
    sleep 0.2
  done
  rm -f "$WINEPREFIX/drive_c/till test.zp350"
}
probe() { # welcome|settings, text|ready, control id
  "$WINE64" "$B/win64/e2e_window_probe.exe" "$@" 2>/dev/null </dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# Another program's association of .zp350 stays through install and removal.
check_other_association() { # package
  local c="$arch, .zp350 another program's"
  "$loader" reg add 'HKCR\.zp350' /ve /d Other.Profile /f >/dev/null 2>&1
  expect_ok "$c: silent install" msiexec /i "$1"
  expect_eq "$c: installed, the association" "$(reg_default "$loader" 'HKCR\.zp350')" Other.Profile
  check_profile_type "$c: installed"
  expect_ok "$c: silent uninstall" msiexec /x "$1"
  expect_eq "$c: uninstalled, the association" "$(reg_default "$loader" 'HKCR\.zp350')" \
    Other.Profile
  expect_eq "$c: uninstalled, the file type" "$(reg_default "$loader" 'HKCR\ZP350.Profile')" ""
  "$loader" reg delete 'HKCR\.zp350' /f >/dev/null 2>&1
}

SERVICE_KEY='HKLM\System\CurrentControlSet\Services\ZP350ReaderSetup'
SOURCE_KEY='HKLM\System\CurrentControlSet\Services\EventLog\Application\ZP350 reader set-up'
service_there() { "$WINE64" reg query "$SERVICE_KEY" >/dev/null 2>&1 && echo there || echo none; }
installed_profile() { # the installed profile's tracks
  tr -d '\r' <"$WINEPREFIX/drive_c/ProgramData/ZP350/profile.zp350" 2>/dev/null | sed -n 's/^tracks = //p'
}

# The reader set-up service through install, upgrade, a new profile and removal.
check_reader_setup() { # package, next version's package
  local c="$arch, reader set-up" first="$WINEPREFIX/drive_c/first.zp350"
  local second="$WINEPREFIX/drive_c/second.zp350" broken="$WINEPREFIX/drive_c/broken.zp350"
  printf '# the shop\ntracks = 2\ncr = none\n' >"$first"
  printf 'tracks = 1,3\n' >"$second"
  printf 'tracks = 9\n' >"$broken"
  expect_ok "$c: silent install with PROFILE" msiexec /i "$1" 'PROFILE=C:\first.zp350'
  expect_eq "$c: the service" "$(service_there)" there
  expect_eq "$c: its start" "$(reg_value "$WINE64" "$SERVICE_KEY" Start)" 0x2
  expect_eq "$c: its account" "$(reg_value "$WINE64" "$SERVICE_KEY" ObjectName)" \
    'NT AUTHORITY\LocalService'
  expect_eq "$c: its program" "$(reg_value "$WINE64" "$SERVICE_KEY" ImagePath)" \
    "$windir\zp350svc.exe"
  expect_eq "$c: its event source's messages" \
    "$(reg_value "$WINE64" "$SOURCE_KEY" EventMessageFile)" "$windir\zp350svc.exe"
  expect_eq "$c: the installed profile" "$(installed_profile)" 2
  # The next version without PROFILE keeps the service. Keeping the profile rests on the
  # older version's removal seeing UPGRADINGPRODUCTCODE, which Windows sets; under Wine 8 the
  # profile goes with the older version, so the package's condition is checked instead.
  expect_ok "$c: the next version without PROFILE" msiexec /i "$2"
  expect_eq "$c: upgraded, the service" "$(service_there)" there
  expect_eq "$c: the profile's removal, not in an upgrade" \
    "$(msiinfo export "$2" InstallExecuteSequence | tr -d '\r' |
      sed -n 's/^RemoveReaderProfile\t\(.*\)\t[0-9]*$/\1/p')" \
    'REMOVE~="ALL" AND NOT UPGRADINGPRODUCTCODE AND $ReaderSetupService = 2'
  expect_ok "$c: the same version with PROFILE" msiexec /i "$2" 'PROFILE=C:\first.zp350'
  expect_eq "$c: the profile installed again" "$(installed_profile)" 2
  expect_ok "$c: the same version with a new PROFILE" msiexec /i "$2" 'PROFILE=C:\second.zp350'
  expect_eq "$c: the new profile" "$(installed_profile)" 1,3
  if msiexec /i "$2" 'PROFILE=C:\broken.zp350'; then
    fail "$c: a PROFILE that is no profile was taken"
  fi
  expect_eq "$c: refused, the profile kept" "$(installed_profile)" 1,3
  expect_ok "$c: silent uninstall" msiexec /x "$2"
  expect_eq "$c: uninstalled, the service" "$(service_there)" none
  expect_eq "$c: uninstalled, the event source" \
    "$("$WINE64" reg query "$SOURCE_KEY" >/dev/null 2>&1 && echo there || echo none)" none
  expect_eq "$c: uninstalled, the profile's folder" \
    "$([ -e "$WINEPREFIX/drive_c/ProgramData/ZP350" ] && echo there || echo none)" none
  rm -f "$first" "$second" "$broken"
}

test_flavour() { # x64|x86
  local arch=$1 tree bits loader windir dir
  case $arch in
    x64) tree=win64 bits=64 loader=$WINE64 windir='C:\Program Files\ZP350' ;;
    x86) tree=win32 bits=32 loader=$WINE32 windir='C:\Program Files (x86)\ZP350' ;;
  esac
  dir=$WINEPREFIX/drive_c/${windir#C:\\}
  dir=${dir//\\//}
  local tool=$B/$tree/zp350tool$bits.exe cli=$B/$tree/zp350cli$bits.exe
  local msi=$W/zp350-$version-$arch.msi msi_next=$W/zp350-$next-$arch.msi
  echo "== installers under Wine, $arch flavour: $version, then $next over it"
  bash scripts/msi.sh "$arch" "$version" "$tool" "$cli" "$msi"
  bash scripts/msi.sh "$arch" "$next" "$tool" "$cli" "$msi_next"

  snapshot "before-$arch"
  expect_ok "$arch: silent install of $version" msiexec /i "$msi"
  check_installed "$arch $version installed" "$version"
  expect_eq "$arch $version installed without PROFILE: the reader set-up service" \
    "$(service_there)" none
  check_profile_opens "$arch $version installed"

  expect_ok "$arch: silent install of $next over $version" msiexec /i "$msi_next"
  check_installed "$arch $next over $version" "$next"
  snapshot "upgraded-$arch"
  expect_ok "$arch: silent install of $next again" msiexec /i "$msi_next"
  check_installed "$arch $next again" "$next"
  snapshot "again-$arch"
  expect_same_lines "$arch $next again: files" "$W/again-$arch.files" "$W/upgraded-$arch.files"

  expect_ok "$arch: silent uninstall" msiexec /x "$msi_next"
  snapshot "after-$arch"
  expect_same_lines "$arch uninstalled: files" "$W/after-$arch.files" "$W/before-$arch.files"
  expect_same_lines "$arch uninstalled: machine's software registry" "$W/after-$arch.hklm" "$W/before-$arch.hklm"
  expect_same_lines "$arch uninstalled: user's software registry" "$W/after-$arch.hkcu" "$W/before-$arch.hkcu"
  expect_eq "$arch uninstalled: the PATH" "$(cat "$W/after-$arch.path")" "$(cat "$W/before-$arch.path")"
  # Wine keeps a 32-bit package's classes in a view of their own that 32-bit programs see
  # only once it has a key there: the other program's association is tried in the 64-bit
  # flavour, where there is one view.
  [ "$arch" = x86 ] || check_other_association "$msi_next"
  check_reader_setup "$msi" "$msi_next"
}

# One product per machine: the x86 package installed over the x64 one replaces it, as the
# x64 one replaces the x86 one; removing the one left leaves the prefix as it was.
test_one_product() {
  local version_msi=$W/zp350-$version
  echo "== installers under Wine: one product per machine"
  snapshot before-both
  expect_ok "x64 then x86: silent install of x64" msiexec /i "$version_msi-x64.msi"
  expect_ok "x64 then x86: silent install of x86 over it" msiexec /i "$version_msi-x86.msi"
  expect_eq "x64 then x86: Apps & features entries" "$(entries | sed '/^$/d' | wc -l)" 1
  expect_eq "x64 then x86: the x64 folder" "$(ls -d "$WINEPREFIX/drive_c/Program Files/ZP350" 2>/dev/null)" ""
  expect_eq "x64 then x86: the PATH" "$(path_string)" \
    "C:\\Program Files (x86)\\ZP350\\;$(cat "$W/before-both.path")"
  expect_ok "x64 then x86, then x64 again: silent install" msiexec /i "$version_msi-x64.msi"
  expect_eq "x64 again: Apps & features entries" "$(entries | sed '/^$/d' | wc -l)" 1
  expect_eq "x64 again: the PATH" "$(path_string)" \
    "C:\\Program Files\\ZP350\\;$(cat "$W/before-both.path")"
  expect_ok "x64 again: silent uninstall" msiexec /x "$version_msi-x64.msi"
  snapshot after-both
  expect_same_lines "one product, uninstalled: files" "$W/after-both.files" "$W/before-both.files"
  expect_eq "one product, uninstalled: the PATH" "$(cat "$W/after-both.path")" "$(cat "$W/before-both.path")"
}

# A run stopped half-way may have left the product installed: start from a new prefix then.
if [ -d "$WINEPREFIX/drive_c/Program Files/ZP350" ] || [ -d "$WINEPREFIX/drive_c/Program Files (x86)/ZP350" ]; then
  rm -rf "$WINEPREFIX"
fi
# A prefix made where 32-bit programs could not run lacks Wine's 32-bit half, and the 32-bit
# installer fails in it ("could not load kernel32.dll"): one made by the other kind of run is
# made anew.
made_by=$([ -n "$(why_no_32bit)" ] && echo 64-bit-only || echo both-flavours)
if [ -d "$WINEPREFIX" ] && [ "$(cat "$WINEPREFIX/.made-by" 2>/dev/null)" != "$made_by" ]; then
  rm -rf "$WINEPREFIX"
fi
wine_env_start
echo "$made_by" >"$WINEPREFIX/.made-by"
test_flavour x64
skip32=$(why_no_32bit)
if [ -n "$skip32" ]; then
  echo "== the 32-bit installer is not tried: $skip32"
else
  test_flavour x86
  test_one_product
fi
checks_done "installer tests"
