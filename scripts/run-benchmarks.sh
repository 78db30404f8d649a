#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark of the build tree; each prints its ratios at the end.
set -euo pipefail
dir="$1"
for bench in bench_fill bench_generators bench_create bench_sheets bench_listediting bench_preview bench_links bench_engines; do
  echo "== $bench"
  "$dir/$bench" --benchmark_counters_tabular=true
done
