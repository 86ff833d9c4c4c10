#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what it holds:
#   packaging/check-package.sh BUILD_FOLDER VERSION
# Exits 77 (skipped) where the Debian tools are missing; runs lintian where it is installed.
set -euo pipefail
build=$1 version=$2
for tool in dpkg-deb dpkg-shlibdeps cpack; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=("$out"/tarvelle_"$version"_*.deb)
[ -f "${deb[0]}" ] || { echo "no package was made"; exit 1; }

fail() { echo "package: $*"; exit 1; }
field() { dpkg-deb -f "${deb[0]}" "$1"; }
[ "$(field Package)" = tarvelle ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version)"
field Depends | grep -q 'libqt6widgets6' || fail "Depends lacks Qt: $(field Depends)"
# The parsers the importers link.
for lib in libgumbo libpugixml libyaml-cpp libtomlplusplus; do
  field Depends | grep -q "$lib" || fail "Depends lacks $lib: $(field Depends)"
done
field Maintainer | grep -q '<.*@.*>' || fail "Maintainer has no address"

files=$(dpkg-deb -c "${deb[0]}" | awk '{print $6}' | sed 's|^\./|/|')
for want in /usr/bin/tarvelle /usr/bin/tarvelle-cli /usr/share/tarvelle/zorvex.js \
  /usr/share/tarvelle/zorvex.js.map \
  /usr/share/tarvelle/help/index.html "/usr/share/tarvelle/templets/Night" \
  /usr/share/tarvelle/samples/zorvex.js /usr/share/applications/tarvelle.desktop \
  /usr/share/mime/packages/tarvelle.xml /usr/share/icons/hicolor/scalable/apps/tarvelle.svg \
  /usr/share/metainfo/com.example.Tarvelle.metainfo.xml /usr/share/man/man1/tarvelle.1.gz \
  /usr/share/man/man1/tarvelle-cli.1.gz /usr/share/doc/tarvelle/copyright \
  /usr/share/doc/tarvelle/changelog.gz; do
  grep -qxF "$want" <<<"$files" || fail "missing $want"
done
# The shipped runtime is the minified one, not the readable source.
runtime=$(dpkg-deb --fsys-tarfile "${deb[0]}" | tar -xO ./usr/share/tarvelle/zorvex.js | head -c 12 || true)
[[ "$runtime" == "/* zorvex.js" ]] && fail "the package ships the unminified zorvex.js"
# Nothing but programs and shared data, and no test or benchmark programs.
stray=$(grep -vE '^/usr/(|bin/|bin/tarvelle(-cli)?|share/.*)$' <<<"$files" || true)
[ -z "$stray" ] || fail "unexpected files: $stray"
dpkg-deb -c "${deb[0]}" | awk '{print $2}' | grep -qv '^root/root$' && fail "files not owned by root"

if command -v lintian >/dev/null 2>&1; then
  lintian --fail-on error "${deb[0]}"
fi
echo "package ${deb[0]##*/}: $(wc -l <<<"$files") entries, as expected"
