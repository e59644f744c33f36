#!/usr/bin/env bash
# Builds the Debian package with scripts/package (lintian without errors), checks what it holds,
# then, as root, installs it with apt-get, runs the installed programs, purges it and checks that
# none of its files is left. Exit 77 (skipped) for the installation part when not root.
set -euo pipefail
src=$1
version=$2
# The package build is a build of its own: the sanitizers of the test build stay out. What is
# checked here is the packaging, not the code's speed: unoptimised and without debugging
# information the build takes about half the time beside the other tests.
unset ASAN_OPTIONS UBSAN_OPTIONS QT_QPA_PLATFORM
export DEB_BUILD_OPTIONS="parallel=$(nproc) noddebs noopt" DEB_CFLAGS_STRIP=-g DEB_CXXFLAGS_STRIP=-g
fail=0
check() { if ! "$@"; then echo "package_test: failed: $*" >&2; fail=1; fi; }

deb=$("$src/scripts/package" | tail -n 1)
arch=$(dpkg --print-architecture)
check test "$(basename "$deb")" = "kp53win_${version}_${arch}.deb"
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|')
id=org.kp53win.KP53Win
for f in /usr/bin/kp53 /usr/bin/kp53win /usr/bin/kp53-radiosim \
         /usr/share/applications/$id.desktop /usr/share/icons/hicolor/scalable/apps/$id.svg \
         /usr/share/metainfo/$id.metainfo.xml /usr/share/man/man1/kp53.1.gz /usr/share/man/man1/kp53win.1.gz \
         /usr/share/man/man1/kp53-radiosim.1.gz /usr/share/bash-completion/completions/kp53 \
         /usr/share/doc/kp53win/copyright /usr/share/doc/kp53win/README.Debian \
         "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/kp53win/kp53win-print.so"; do
  check grep -qx "$f" <<<"$contents"
done
# The libraries found by dh_shlibdeps; the window needs no network library.
depends=$(dpkg-deb --field "$deb" Depends)
check grep -q libqt6widgets6 <<<"$depends"
if grep -q libqt6network6 <<<"$depends"; then echo "package_test: depends on Qt Network: $depends" >&2; fail=1; fi
[ $fail -eq 0 ] || exit 1

if [ "$(id -u)" -ne 0 ]; then
  echo "package_test: not root: the package was built and checked, installing it is skipped" >&2
  exit 77
fi
if dpkg-query -W -f='${Status}' kp53win 2>/dev/null | grep -q 'install ok installed'; then
  echo "package_test: kp53win is installed on this machine: left alone, installing is skipped" >&2
  exit 77
fi
export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -o DPkg::Lock::Timeout=600 -y -qq --no-install-recommends)
trap '"${apt[@]}" purge kp53win >/dev/null 2>&1 || true' EXIT
"${apt[@]}" install "$deb" >/dev/null
files=$(dpkg -L kp53win | while read -r f; do [ -f "$f" ] && echo "$f"; done)
check test -n "$files"

tmp=$(mktemp -d)
check grep -q import-csv < <(/usr/bin/kp53 --help)
check /usr/bin/kp53 new "$tmp/new.k53"
check test -s "$tmp/new.k53"
check /usr/bin/kp53 info "$tmp/new.k53"
for p in kp53 kp53win kp53-radiosim; do
  check test "$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/$p --version)" = "$p $version"
done
check env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/kp53win --help
rm -rf "$tmp"

"${apt[@]}" purge kp53win >/dev/null
trap - EXIT
while read -r f; do
  if [ -e "$f" ]; then echo "package_test: left after purge: $f" >&2; fail=1; fi
done <<<"$files"
check test -z "$(dpkg-query -W -f='${Status}' kp53win 2>/dev/null | grep installed || true)"
exit $fail
