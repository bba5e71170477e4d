#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, runs every test,
# then builds the unit tests under AddressSanitizer + UBSan and runs them again.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

cmake --preset release -DQINGYOU_WERROR=ON >/dev/null
cmake --build --preset release
ctest --preset release

cmake --preset asan -DQINGYOU_WERROR=ON >/dev/null
cmake --build --preset asan
ctest --preset asan
