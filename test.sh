#!/usr/bin/env bash
# Installs what is missing, builds a debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test twice: in the C locale and in French
# (decimal comma) to catch locale-dependent number handling.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh

# The French locale must exist for the second run.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO sed -i 's/^# *fr_FR.UTF-8 UTF-8/fr_FR.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^fr_FR.UTF-8 UTF-8' /etc/locale.gen || echo 'fr_FR.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi

BUILD=build/debug-asan
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHORAVEL_SANITIZE=ON
cmake --build "$BUILD"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
JOBS="$(nproc)"

echo "== tests, C locale"
LC_ALL=C.UTF-8 ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS"
echo "== tests, French locale"
LC_ALL=fr_FR.UTF-8 ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS"
echo "All tests passed."
