#!/usr/bin/env bash
# `cmake --install` into a temporary DESTDIR: the three programs, the desktop entry, icon and
# AppStream metadata (each passing its validator), the manual pages (without groff warnings) and
# the bash completion.
set -euo pipefail
build=$1
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
root="$dest/usr"
fail=0
check() { if ! "$@"; then echo "install_test: failed: $*" >&2; fail=1; fi; }

id=org.kp53win.KP53Win
for p in kp53 kp53win kp53-radiosim; do
  check test -x "$root/bin/$p"
  check test -f "$root/share/man/man1/$p.1"
  check test -f "$root/share/bash-completion/completions/$p"
done
check test -f "$root/share/applications/$id.desktop"
check test -f "$root/share/icons/hicolor/scalable/apps/$id.svg"
check test -f "$root/share/metainfo/$id.metainfo.xml"
# The window's print module, where the window looks for it (beside the programs' folder).
check test -n "$(find "$root" -path '*/kp53win/kp53win-print.so')"

check desktop-file-validate "$root/share/applications/$id.desktop"
check appstreamcli validate --no-net --pedantic "$root/share/metainfo/$id.metainfo.xml"
check grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/$id.svg"
for page in "$root"/share/man/man1/*.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  check test -z "$warnings"
done
check bash -n "$root/share/bash-completion/completions/kp53"
# The installed command-line tool runs and knows its channel-list commands.
check grep -q import-csv < <("$root/bin/kp53" --help)
exit $fail
