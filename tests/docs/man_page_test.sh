#!/usr/bin/env bash
# Checks the manual page against the program it describes: every command that
# `vorn --help` lists has a section of its own, and every option and argument that a
# command's --help lists appears in that command's section (the program's own options
# in OPTIONS). Also checks that the page names the program's version and that groff
# formats it without a warning.
# Usage: man_page_test.sh PROGRAM MAN_PAGE VERSION
set -euo pipefail
program=$1
page=$2
version=$3
problems=0
complain() {
  echo "$*" >&2
  problems=$((problems + 1))
}

# The page as plain text: font changes and escapes removed, "\-" read as "-".
plain=$(sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' -e 's/\\e/\\/g' -e 's/\\&//g' -e "s/\\\\(aq/'/g" "$page")

# Prints the lines of the section whose header line matches the regular expression $1,
# up to the next header of the same or a higher level.
section() {
  awk -v header="$1" '
    /^\.S[HS] / { if (inside) exit; if ($0 ~ header) { inside = 1; next } }
    inside { print }' <<<"$plain"
}

# Prints the first word of each entry of the help section $2 ("Options:", ...) in the
# help text $1; "-h,--help" gives "-h" and "--help".
help_entries() {
  awk -v title="$2" '
    $0 == title { inside = 1; next }
    inside && /^$/ { exit }
    inside && /^  [^ ]/ { print $1 }' <<<"$1" | tr ',' '\n'
}

# Whether the text $1 holds the word $2, not as part of a longer name.
holds_word() {
  grep -qE -- "(^|[^-_A-Za-z0-9])$(sed 's/[.+*?]/\\&/g' <<<"$2")([^-_A-Za-z0-9]|$)" <<<"$1"
}

grep -q "^\.TH VORN 1 .*vorn_common $version\"" "$page" || complain "the .TH line does not name version $version"
if command -v groff >/dev/null; then
  warnings=$(groff -ww -z -man -Tutf8 "$page" 2>&1) || true
  [ -z "$warnings" ] || complain "groff warns: $warnings"
fi

top=$("$program" --help)
options=$(section '^\.SH OPTIONS')
for option in $(help_entries "$top" "Options:"); do
  holds_word "$options" "$option" || complain "option $option is not in OPTIONS"
done

commands=$(help_entries "$top" "Subcommands:")
[ -n "$commands" ] || complain "vorn --help lists no commands"
for command in $commands; do
  text=$(section "^\\.SS \"?$command( |\"|\$)")
  if [ -z "$text" ]; then
    complain "command $command has no section"
    continue
  fi
  help=$("$program" "$command" --help)
  for entry in $(help_entries "$help" "Options:") $(help_entries "$help" "Positionals:"); do
    case $entry in -h | --help) continue ;; esac
    holds_word "$text" "$entry" || complain "$command: $entry is not in its section"
  done
done

if [ "$problems" -ne 0 ]; then
  echo "$problems problem(s) in $page" >&2
  exit 1
fi
echo "$page covers $(wc -w <<<"$commands") commands and their options"
