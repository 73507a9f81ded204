#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/, then
# runs every test and the demo walkthrough under them. Extra arguments go to ctest (-R NAME).
set -euo pipefail
QUILLORA_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$QUILLORA_ROOT/tools/setup-common.sh"
quillora_install_packages
build="$QUILLORA_ROOT/build-sanitize"
if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S "$QUILLORA_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLORA_SANITIZE=ON -DQUILLORA_BENCH=OFF "${launcher[@]}"
fi
cmake --build "$build" -j "${QUILLORA_JOBS:-$(nproc)}"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
# fontconfig keeps allocations for the life of the process; they are not ours to free.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$QUILLORA_ROOT/fuzz/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$build" && ctest --output-on-failure -j "${QUILLORA_JOBS:-$(nproc)}" "$@")
"$build/src/app/quillora-run" "$QUILLORA_ROOT/demo" --autoplay "$QUILLORA_ROOT/demo/walkthrough.autoplay"
echo "sanitizer run: clean"
