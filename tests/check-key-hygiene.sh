#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# key_hygiene: greps everything the tests left behind for the API keys they used (every string
# literal of TestKeys.h, the one argument) and fails naming each file and line that holds one.
# It reads what scripts/test gathers: the log lines, error texts and child processes' command
# lines and output recorded in MERRIN_TEST_OUTPUT_DIR, the fresh HOME, XDG and runtime folders,
# and the temporary folders the tests kept under TMPDIR. Without MERRIN_TEST_OUTPUT_DIR there is
# nothing to read, and it passes saying so.
set -euo pipefail
header="$1"

if [ -z "${MERRIN_TEST_OUTPUT_DIR:-}" ] || [ ! -d "$MERRIN_TEST_OUTPUT_DIR" ]; then
  echo "key_hygiene: skipped, no MERRIN_TEST_OUTPUT_DIR (scripts/test sets it)"
  exit 0
fi

# The keys go to grep through a pipe, never through a file or an argument of their own.
keys() { sed -e '/^[[:space:]]*\/\//d' "$header" | grep -o '"[^"]*"' | tr -d '"'; }
count="$(keys | wc -l)"
if [ "$count" -lt 1 ]; then
  echo "key_hygiene: no keys found in $header"
  exit 1
fi

folders=()
for folder in "$MERRIN_TEST_OUTPUT_DIR" "${HOME:-}" "${XDG_CONFIG_HOME:-}" "${XDG_CACHE_HOME:-}" \
  "${XDG_DATA_HOME:-}" "${XDG_RUNTIME_DIR:-}" "${TMPDIR:-}"; do
  if [ -n "$folder" ] && [ -d "$folder" ]; then
    folders+=("$folder")
  fi
done

# Binary files are read as text; sockets and pipes are skipped. Only "file:line" is printed, so
# the report itself holds no key.
status=0
leaks="$(grep -r -a -n -F -f <(keys) "${folders[@]}" | cut -d: -f1,2 | sort -u)" || status=$?
if [ "$status" -gt 1 ]; then
  echo "key_hygiene: grep could not read everything (status $status)"
  exit 1
fi
files="$(find "${folders[@]}" -type f | sort -u | wc -l)"
if [ -n "$leaks" ]; then
  echo "key_hygiene: a test key appears in what the tests left behind:"
  echo "$leaks"
  exit 1
fi
echo "key_hygiene: none of the $count test keys appears in $files files under ${folders[*]}"
