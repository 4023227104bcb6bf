#!/usr/bin/env bash
# Runs one libFuzzer harness for a bounded time, starting from its seed corpus. Inputs it
# finds go to a fresh scratch folder (the seeds stay as generated), crashes and hangs to
# WORK/artifacts/ with the input that caused them.
# The random seed is fixed (FUZZ_SEED, default 1), so a run can be repeated; a failure
# names the input file that caused it.
# Usage: run_fuzzer.sh FUZZER SEED_DIR SECONDS WORK_DIR
set -euo pipefail
fuzzer=$1 seeds=$2 seconds=$3 work=$4
rm -rf "$work"
mkdir -p "$work/found" "$work/artifacts"
export QT_QPA_PLATFORM=offscreen
here="$(cd "$(dirname "$0")" && pwd)"
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:allocator_may_return_null=1:detect_odr_violation=0"
export LSAN_OPTIONS="${LSAN_OPTIONS:-}:suppressions=$here/lsan.supp:print_suppressions=0"
# No input may take ten seconds, nor ask for a gigabyte at once (the fuzzing build caps
# pictures at a million pixels).
exec "$fuzzer" -seed="${FUZZ_SEED:-1}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
  -malloc_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
  "$work/found" "$seeds"
