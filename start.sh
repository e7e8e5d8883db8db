#!/usr/bin/env bash
# Sets up what is missing, builds Quill and starts it with the given files.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/setup-deps.sh"
"$root/scripts/configure-build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Kein Bildschirm gefunden (DISPLAY ist leer): Quill läuft unter xvfb-run." >&2
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/build/bin/quill" "$@"
fi
exec "$root/build/bin/quill" "$@"
