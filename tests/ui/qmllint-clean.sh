#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs qmllint over the QML module and fails on any warning it prints.
cmake=$1
build=$2
out=$("$cmake" --build "$build" --target merrin_ui_qmllint 2>&1)
status=$?
printf '%s\n' "$out"
if [ $status -ne 0 ] || grep -q -E 'Warning:|Error:' <<<"$out"; then
  exit 1
fi
