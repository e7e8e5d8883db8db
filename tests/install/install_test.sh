#!/usr/bin/env bash
# Installs the build into a scratch folder and builds the Debian package: the files are where
# a desktop expects them, the desktop entry is valid and the package names its dependencies.
set -euo pipefail
build="$(cd "$1" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
root="$scratch/root/usr"
for f in lib/quill/quill lib/quill/javaklassen.txt lib/quill/hilfe/quill.html \
         lib/quill/java/Environment.class lib/quill/konsole/QuillJavaKonsole.class \
         lib/quill/debugger/QuillDebugger.class lib/quill/HelperInput.class \
         share/applications/quill.desktop \
         share/icons/hicolor/scalable/apps/quill.svg; do
    [ -e "$root/$f" ] || { echo "missing after install: $f"; exit 1; }
done
[ "$(readlink "$root/bin/quill")" = "../lib/quill/quill" ] || { echo "bin/quill is no link"; exit 1; }
# No test or benchmark goes along.
if ls "$root/lib/quill" | grep -q '^tst_\|^bench_'; then echo "tests installed"; exit 1; fi
desktop-file-validate "$root/share/applications/quill.desktop"
grep -q '^MimeType=text/x-java;' "$root/share/applications/quill.desktop"

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/pkg" >/dev/null)
deb="$(ls "$scratch"/pkg/quill_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
for d in libqt6widgets6 qt6-translations-l10n default-jdk xterm fonts-liberation; do
    case "$depends" in *"$d"*) ;; *) echo "package does not depend on $d: $depends"; exit 1 ;; esac
done
dpkg-deb -c "$deb" > "$scratch/contents"
grep -q './usr/share/applications/quill.desktop' "$scratch/contents"
echo "install and package: ok"
