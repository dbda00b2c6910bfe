#!/usr/bin/env bash
# Installs a built tree into a scratch prefix and checks the installed files:
# every one present, the desktop entry and the AppStream data valid, the
# udev rules doing what their comment says. Arguments: build folder, cmake.
set -euo pipefail
build=$1
cmake=${2:-cmake}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

id=com.example.northwind_lab.Velmora
fail=0
expect() {
  if [ ! -e "$prefix/$1" ]; then
    echo "missing: $1"
    fail=1
  fi
}
expect bin/velmora
expect bin/trackersim
expect bin/velmora-cli
expect share/velmora/cmdprofile.xml
expect share/velmora/velmora.ENU
expect share/velmora/velmora.EN
expect share/velmora/velmora-cli.ENU
expect share/velmora/velmora-cli.EN
expect share/man/man1/velmora-cli.1
expect share/bash-completion/completions/velmora-cli
expect share/applications/$id.desktop
expect share/metainfo/$id.metainfo.xml
expect share/icons/hicolor/scalable/apps/$id.svg
expect share/icons/hicolor/256x256/apps/$id.png
expect lib/udev/rules.d/60-velmora.rules
[ $fail -eq 0 ] || exit 1

[ -x "$prefix/bin/velmora" ] || { echo "bin/velmora is not executable"; exit 1; }
# Nothing but the program's own files: no test or benchmark executables.
extra=$(ls "$prefix/bin" | grep -v -x -e velmora -e trackersim -e velmora-cli || true)
[ -z "$extra" ] || { echo "unexpected in bin: $extra"; exit 1; }

# The PNG is 256 by 256 (width and height are the IHDR's first two words).
size=$(od -An -tx1 -j16 -N8 "$prefix/share/icons/hicolor/256x256/apps/$id.png" | tr -d ' \n')
[ "$size" = "0000010000000100" ] || { echo "icon is not 256x256: $size"; exit 1; }

rules=$prefix/lib/udev/rules.d/60-velmora.rules
for needle in 'TAG+="uaccess"' 'ENV{ID_MM_DEVICE_IGNORE}="1"' 'ATTRS{idVendor}=="1a86"' \
              'ATTRS{idVendor}=="10c4"' 'ATTRS{idVendor}=="0403"' 'ATTRS{idVendor}=="067b"'; do
  grep -qF "$needle" "$rules" || { echo "udev rules lack $needle"; exit 1; }
done
# Every device line grants both, or a bridge would be half handled.
if grep -E '^ATTRS' "$rules" | grep -v 'TAG+="uaccess"' | grep -q .; then
  echo "a udev rule without uaccess"; exit 1
fi
if grep -E '^ATTRS' "$rules" | grep -v 'ID_MM_DEVICE_IGNORE' | grep -q .; then
  echo "a udev rule without ID_MM_DEVICE_IGNORE"; exit 1
fi
# The man page and the completion script know every command of the tool.
man=$prefix/share/man/man1/velmora-cli.1
completion=$prefix/share/bash-completion/completions/velmora-cli
for command in ports read write diff status check-profile; do
  grep -qF ".SS ${command//-/\\-}" "$man" || { echo "man page lacks $command"; exit 1; }
  grep -qE "^ +$command\) " "$completion" || { echo "completion lacks $command"; exit 1; }
done
bash -n "$completion" || { echo "completion script does not parse"; exit 1; }

grep -q '@PROJECT_VERSION@' "$prefix/share/metainfo/$id.metainfo.xml" &&
  { echo "metainfo version not filled in"; exit 1; }

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$id.desktop"
else
  echo "desktop-file-validate not installed: skipped"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
else
  echo "appstreamcli not installed: skipped"
fi
echo "install tree OK"
