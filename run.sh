#!/usr/bin/env bash
# Installs what the game needs, builds it, lays out the play folder and starts
# the game there. The play folder is $KSM_HOME (default ~/.local/share/kesmorra).
set -euo pipefail
KSM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$KSM_ROOT/tools/setup.sh"

ksm_install_packages
ksm_build "$KSM_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKSM_TESTS=OFF -DKSM_BENCH=OFF

KSM_HOME="${KSM_HOME:-$HOME/.local/share/kesmorra}"
mkdir -p "$KSM_HOME"
# Installation files are refreshed from data/; the player's saves, logs and
# configuration are not in data/ and are never touched.
cp -R "$KSM_ROOT/data/." "$KSM_HOME/"
cd "$KSM_HOME"
exec "$KSM_ROOT/build/kesmorra"
