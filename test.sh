#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (offscreen Qt, silent SDL audio).
set -euo pipefail
QUILLORA_ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$QUILLORA_ROOT/tools/setup-common.sh"
quillora_install_packages
quillora_build
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
cd "$QUILLORA_ROOT/build"
ctest --output-on-failure -j "$(nproc)" "$@"
