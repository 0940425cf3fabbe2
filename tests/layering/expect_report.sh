#!/usr/bin/env bash
# Runs the layering check on a tree that breaks the layers and passes when the check fails with
# exactly the expected report. Usage: expect_report.sh <check> <tree> <link lines> <expected report>
set -uo pipefail
check=$1 tree=$2 link_lines=$3 expected=$4
report=$("$check" "$tree" "$link_lines")
status=$?
if [ $status -eq 0 ]; then
  echo "the check passed a tree that breaks the layers"
  exit 1
fi
diff -u "$expected" <(printf '%s\n' "$report") || { echo "the check's report differs from $expected"; exit 1; }
