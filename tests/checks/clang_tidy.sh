#!/usr/bin/env bash
# Runs the curated clang-tidy checks of .clang-tidy over the headless core's sources, the
# drawing tools among them.
set -euo pipefail
source_dir=$1
build_dir=$2
cd "$source_dir"
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- \
    'platform/*.cpp' 'model/*.cpp' 'netlist/*.cpp' 'library/*.cpp' 'drc/*.cpp' \
    'interchange/*.cpp' 'drawtools/*.cpp')
[ "${#files[@]}" -eq 0 ] && exit 0
printf '%s\n' "${files[@]}" |
    xargs -P "$(nproc)" -n 4 clang-tidy -p "$build_dir" --quiet 2>/dev/null
