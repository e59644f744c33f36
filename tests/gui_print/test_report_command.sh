#!/usr/bin/env bash
# kp53 report from the command line: text with form feeds, PDF with one page per report page
# (refusals and failures are tested with the other file commands in tests/e2e). Usage: report_command_test.sh KP53 GOLDEN_TEXT
set -euo pipefail
kp53="$1"
golden="$2"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$kp53" new "$dir/NEW.K53" >/dev/null

# Text to standard output: the new image's report is the stored whole-report copy.
"$kp53" report "$dir/NEW.K53" --date 1/2/2026 >"$dir/out.txt"
cmp -s "$dir/out.txt" "$golden" || fail "text report differs from $golden"

# Text to a file: 12 pages, 11 form feeds.
"$kp53" report "$dir/NEW.K53" --date 1/2/2026 -o "$dir/report.txt" 2>/dev/null
[ "$(tr -cd '\f' <"$dir/report.txt" | wc -c)" -eq 11 ] || fail "form feeds in report.txt"

# PDF: 12 pages.
QT_QPA_PLATFORM= "$kp53" report "$dir/NEW.K53" -o "$dir/report.PDF" 2>/dev/null
pages="$(grep -a -c '/Type /Page$\|/Type /Page[^s]' "$dir/report.PDF" || true)"
[ "$pages" -eq 12 ] || fail "PDF has $pages pages"

echo "kp53 report: ok"
