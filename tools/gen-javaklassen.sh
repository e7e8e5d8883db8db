#!/usr/bin/env bash
# Regenerates data/javaklassen.txt (the class reference) from the installed JDK.
# Usage: tools/gen-javaklassen.sh [output-file]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-$here/../data/javaklassen.txt}"
classes="$(mktemp -d)"
trap 'rm -rf "$classes"' EXIT
javac -d "$classes" "$here/javaklassen/GenJavaKlassen.java"
java -Djava.awt.headless=true -cp "$classes" GenJavaKlassen "$out"
