#!/usr/bin/env bash
# Checks a built kadelo .deb the way a user and a software centre meet it: control fields, the
# installed layout, a stripped binary, and the desktop entry and metainfo through their validators.
# Usage: packaging/check_package.sh build/kadelo_<version>_<arch>.deb
set -euo pipefail
deb="$(realpath "$1")"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kadelo ] || fail "package name"
[ "$(field Section)" = games ] || fail "section"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
depends="$(field Depends)"
for need in libqt6widgets6 libqt6svg6 libc6 fonts-noto-cjk; do
  [[ "$depends" == *"$need"* ]] || fail "Depends lacks $need: $depends"
done
description="$(field Description)"
[[ "$description" == *"fortune-telling"* && "$description" == *"姓名判断"* ]] || fail "description not in English and Japanese"
case "$(basename "$deb")" in
  kadelo_"$(field Version)"_"$(field Architecture)".deb) ;;
  *) fail "file name $(basename "$deb")" ;;
esac

usr="$root/usr"
file -b "$usr/bin/kadelo" | grep -q ', stripped' || fail "binary not stripped: $(file -b "$usr/bin/kadelo")"
for f in share/kadelo/漢字.dat share/kadelo/漢字UTF8.dat share/kadelo/かな.dat share/kadelo/conve.dat share/kadelo/kadelo_help.html \
  share/kadelo/旧字体.dat share/kadelo/旧字体UTF8.dat share/kadelo/旧字体由来.dat share/kadelo/UNICODE-LICENCE.txt \
  share/kadelo/KANJIDIC2-LICENCE.txt share/icons/hicolor/scalable/apps/kadelo.svg share/man/man1/kadelo.1.gz; do
  [ -s "$usr/$f" ] || fail "missing $f"
done
for size in 16 32 48 64 128 256; do
  png="$usr/share/icons/hicolor/${size}x${size}/apps/kadelo.png"
  file -b "$png" | grep -q "PNG image data, $size x $size" || fail "icon $size: $(file -b "$png" 2>&1)"
done
desktop=("$usr"/share/applications/*.desktop)
metainfo=("$usr"/share/metainfo/*.metainfo.xml)
[ ${#desktop[@]} -eq 1 ] && [ ${#metainfo[@]} -eq 1 ] || fail "one desktop entry and one metainfo file expected"
grep -qx 'Keywords=姓名判断;名前;命名;占い;name;fortune;' "${desktop[0]}" || fail "desktop keywords"
grep -qx 'StartupWMClass=kadelo' "${desktop[0]}" || fail "StartupWMClass"
desktop-file-validate "${desktop[0]}" || fail "desktop-file-validate"
appstreamcli validate --no-net "${metainfo[0]}" || fail "appstreamcli validate"
grep -q "<launchable type=\"desktop-id\">$(basename "${desktop[0]}")</launchable>" "${metainfo[0]}" \
  || fail "metainfo launchable is not the desktop entry"
manpage="$usr/share/man/man1/kadelo.1.gz"
man_source="$(zcat "$manpage")"
for word in '\-\-help' '\-\-version' Kadelo.ini .local/share/kadelo 'portable rule'; do
  [[ "$man_source" == *"$word"* ]] || fail "man page lacks $word"
done
if command -v man >/dev/null; then
  [ -n "$(MANWIDTH=80 man -l "$manpage" 2>/dev/null)" ] || fail "man page does not format"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures package check(s) failed"
  exit 1
fi
echo "package checks passed: $(basename "$deb")"
