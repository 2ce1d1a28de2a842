#!/usr/bin/env bash
# Checks that every C++ source and header is laid out as the root
# .clang-format says; prints the differences and fails when there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
clang-format --dry-run --Werror "${files[@]}"
echo "${#files[@]} files formatted as .clang-format says"
