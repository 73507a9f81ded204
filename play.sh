#!/usr/bin/env bash
# Installs what is missing, builds, and plays the demo game (or the game folder given).
set -euo pipefail
QUILLORA_ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$QUILLORA_ROOT/tools/setup-common.sh"
quillora_install_packages
quillora_build --target quillora-run
game="${1:-$QUILLORA_ROOT/demo}"
shift || true
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
There is no display to show the game on (neither DISPLAY nor WAYLAND_DISPLAY is set).
Run it from a desktop session, or drive it with an autoplay script under the offscreen platform:

  QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \\
    $QUILLORA_ROOT/build/src/app/quillora-run "$game" --autoplay SCRIPT

(see README.md, "Autoplay scripts", for the commands a script may use).
MSG
  exit 1
fi
exec "$QUILLORA_ROOT/build/src/app/quillora-run" "$game" "$@"
