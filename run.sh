#!/usr/bin/env bash
# Builds Tavri and starts it: on the compendium in DATA_DIR when one is given, otherwise on a
# demo compendium in ~/.local/share/tavri-demo/ (made on first use).
#   ./run.sh [DATA_DIR]
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tavri tavri-cli
if [ $# -gt 0 ]; then
  exec build/tavri "$@"
fi
demo="${XDG_DATA_HOME:-$HOME/.local/share}/tavri-demo/"
if [ ! -f "${demo}tavri.db" ]; then
  build/tavri-cli new --demo "$demo"
fi
exec build/tavri "$demo"
