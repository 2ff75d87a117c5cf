#!/usr/bin/env bash
# Fails when a C++ source of the project is not formatted by .clang-format.
set -euo pipefail
cd "$1"
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.h' '*.cpp' 2>/dev/null ||
    find platform model resources netlist library drc interchange drawtools gui shell tests bench \
        fuzz mkstdlib -name '*.h' -o -name '*.cpp')
[ "${#files[@]}" -eq 0 ] && exit 0
clang-format --dry-run -Werror "${files[@]}"
